// Opening, loading and committing a datebook file (portable build, SQLite).
// A new file is made complete under a temporary name and then linked into
// place, so no half-made datebook is ever seen under the real name.
#include "desktop/store/DatebookStore.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "desktop/store/AppointmentRows.h"
#include "desktop/store/DatebookSchema.h"
#include "platform/FaultInjector.h"

namespace tavir {
namespace {

constexpr int kBusyTimeoutMilliseconds = 200;

bool FileExists(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0;
}

SqliteConnection OpenConnection(const std::string& path, int flags) {
  SqliteConnection connection;
  // One command uses a connection from one thread: SQLite need not lock its
  // mutex around every call (each column read of each row took it).
  const int result =
      sqlite3_open_v2(path.c_str(), connection.Receive(), flags | SQLITE_OPEN_NOMUTEX, nullptr);
  if (result != SQLITE_OK) {
    ThrowSqliteError(connection.Get(), "Cannot open the datebook \"" + path + "\"");
  }
  sqlite3_extended_result_codes(connection.Get(), 1);
  sqlite3_busy_timeout(connection.Get(), kBusyTimeoutMilliseconds);
  return connection;
}

void CreateDatebookFile(const std::string& path, const WideString& userName) {
  const std::string temporary = path + ".new-" + std::to_string(getpid());
  std::remove(temporary.c_str());
  try {
    SqliteConnection connection =
        OpenConnection(temporary, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    ExecuteSql(connection.Get(), "BEGIN IMMEDIATE");
    CreateDatebookSchema(connection.Get(), userName);
    ExecuteSql(connection.Get(), "COMMIT");
  } catch (...) {
    std::remove(temporary.c_str());
    throw;
  }
  // link refuses to replace a file another process created meanwhile; that
  // one is used instead. Where hard links are not possible, rename.
  if (link(temporary.c_str(), path.c_str()) != 0 && errno != EEXIST) {
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
      std::remove(temporary.c_str());
      throw DatebookStoreError(DatebookStoreFailure::Unavailable,
                               "Cannot create the datebook \"" + path + "\".");
    }
    return;
  }
  std::remove(temporary.c_str());
}

}  // namespace

DatebookStore::DatebookStore(const std::string& path, const WideString& defaultUserName)
    : path_(path) {
  if (!FileExists(path))
    CreateDatebookFile(path, defaultUserName);
  connection_ = OpenConnection(path, SQLITE_OPEN_READWRITE);
  if (sqlite3_db_readonly(connection_.Get(), "main") == 1) {
    throw DatebookStoreError(DatebookStoreFailure::Unavailable,
                             "The datebook \"" + path + "\" cannot be written.");
  }
  // Taking the write lock reads the header but writes nothing, so a foreign
  // file is still untouched when it is refused below.
  const int begun = sqlite3_exec(connection_.Get(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  switch (begun & 0xFF) {
    case SQLITE_OK:
      break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      throw DatebookStoreError(DatebookStoreFailure::InUse,
                               "The datebook \"" + path + "\" is in use by another program.");
    case SQLITE_NOTADB:
      throw DatebookStoreError(DatebookStoreFailure::NotADatebook,
                               "\"" + path + "\" is not a tavir datebook; it was left unchanged.");
    default:
      ThrowSqliteError(connection_.Get(), "Cannot open the datebook \"" + path + "\"");
  }
  inTransaction_ = true;
  int version = 0;
  try {
    version = CheckDatebookSchema(connection_.Get(), path);
  } catch (const DatebookStoreError& error) {
    if (error.Failure() != DatebookStoreFailure::Unavailable)
      throw;
    // A file SQLite can open but whose tables we cannot even read is not ours.
    throw DatebookStoreError(DatebookStoreFailure::NotADatebook,
                             "\"" + path + "\" is not a tavir datebook; it was left unchanged.");
  }
  UpgradeDatebookSchema(connection_.Get(), version);
}

DatebookStore::~DatebookStore() {
  if (inTransaction_ && connection_) {
    sqlite3_exec(connection_.Get(), "ROLLBACK", nullptr, nullptr, nullptr);
  }
}

std::shared_ptr<DatebookData> DatebookStore::Load() {
  auto data = std::make_shared<DatebookData>();
  ReadDatebookRows(connection_.Get(), *data);
  firstNewRecordId_ = data->NextRecordId();
  return data;
}

DatebookStore::CommitSummary DatebookStore::Commit(DatebookData& data) {
  if (!inTransaction_) {
    throw DatebookStoreError(DatebookStoreFailure::Unavailable,
                             "The datebook \"" + path_ + "\" was already committed.");
  }
  const DatebookData::Changes& changes = data.PendingChanges();
  CommitSummary summary;
  AppointmentRowWriter writer(connection_.Get());
  for (std::int32_t id : changes.removed) {
    writer.Remove(id);
    ++summary.appointmentsRemoved;
  }
  for (std::int32_t id : changes.written) {
    const auto found = data.Find(id);
    if (!found)
      continue;
    writer.Write(*found, id >= firstNewRecordId_);
    ++summary.appointmentsWritten;
  }
  if (changes.userName || changes.nextRecordId)
    writer.WriteMeta(data);
  // Tests fail or end the command here: the changes are written, not committed.
  if (const std::optional<InjectedFault> fault = ProcessFaults().Hit("DatebookStore", "Commit"))
    throw DatebookStoreError(DatebookStoreFailure::Unavailable, fault->description);
  if (sqlite3_exec(connection_.Get(), "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
    ThrowSqliteError(connection_.Get(), "Cannot save the datebook \"" + path_ + "\"",
                     (sqlite3_extended_errcode(connection_.Get()) & 0xFF) == SQLITE_BUSY
                         ? DatebookStoreFailure::InUse
                         : DatebookStoreFailure::Unavailable);
  }
  inTransaction_ = false;
  data.ForgetChanges();
  return summary;
}

}  // namespace tavir
