// Creating and recognising the datebook tables. The text encoding is UTF-16
// so that texts go in and out as the host gives them, unchanged.
#include "desktop/store/DatebookSchema.h"

#include <string>

#include "desktop/store/SqliteHandles.h"

namespace tavir {
namespace {

const WideString kFormatName = OLESTR("tavir datebook");

std::int64_t PragmaValue(sqlite3* connection, const char* pragma) {
  SqliteStatement statement(connection, pragma);
  return statement.Step() ? statement.Integer(0) : 0;
}

}  // namespace

void CreateDatebookSchema(sqlite3* connection, const WideString& userName) {
  ExecuteSql(connection,
             "PRAGMA encoding = 'UTF-16le';"
             "CREATE TABLE meta (key TEXT PRIMARY KEY NOT NULL, value NOT NULL);"
             "CREATE TABLE appointments ("
             " record_id INTEGER PRIMARY KEY NOT NULL,"
             " start_time INTEGER NOT NULL, end_time INTEGER NOT NULL, untimed INTEGER NOT NULL,"
             " description TEXT NOT NULL, note TEXT NOT NULL,"
             " category TEXT NOT NULL, location TEXT NOT NULL,"
             " repeat_type INTEGER NOT NULL, repeat_interval INTEGER NOT NULL,"
             " repeat_end INTEGER NOT NULL, repeat_extra INTEGER NOT NULL,"
             " alarm INTEGER NOT NULL, alarm_unit INTEGER NOT NULL, alarm_amount INTEGER NOT NULL,"
             " private INTEGER NOT NULL, state INTEGER NOT NULL);"
             "CREATE TABLE exceptions (record_id INTEGER NOT NULL, day INTEGER NOT NULL,"
             " PRIMARY KEY (record_id, day)) WITHOUT ROWID;");
  ExecuteSql(connection, ("PRAGMA application_id = " + std::to_string(kDatebookApplicationId) +
                          "; PRAGMA user_version = " + std::to_string(kDatebookSchemaVersion))
                             .c_str());
  SqliteStatement insert(connection, "INSERT INTO meta (key, value) VALUES (?, ?)");
  insert.Bind(1, WideString(OLESTR("format"))).Bind(2, kFormatName).Run();
  insert.Bind(1, WideString(OLESTR("user_name"))).Bind(2, userName).Run();
  insert.Bind(1, WideString(OLESTR("next_record_id"))).Bind(2, std::int64_t{1}).Run();
}

int CheckDatebookSchema(sqlite3* connection, const std::string& path) {
  const std::int64_t applicationId = PragmaValue(connection, "PRAGMA application_id");
  const std::int64_t version = PragmaValue(connection, "PRAGMA user_version");
  const std::string notOurs = "\"" + path + "\" is not a tavir datebook; it was left unchanged.";
  if (applicationId != kDatebookApplicationId) {
    throw DatebookStoreError(DatebookStoreFailure::NotADatebook, notOurs);
  }
  if (version > kDatebookSchemaVersion) {
    throw DatebookStoreError(DatebookStoreFailure::NotADatebook,
                             "\"" + path + "\" was written by a newer version of tavir (format " +
                                 std::to_string(version) + "); it was left unchanged.");
  }
  SqliteStatement tables(connection,
                         "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name IN "
                         "('meta', 'appointments', 'exceptions')");
  if (version < kOldestDatebookSchemaVersion || !tables.Step() || tables.Integer(0) != 3) {
    throw DatebookStoreError(DatebookStoreFailure::NotADatebook, notOurs);
  }
  SqliteStatement format(connection, "SELECT value FROM meta WHERE key = 'format'");
  if (!format.Step() || format.ColumnType(0) != SQLITE_TEXT || format.Text(0) != kFormatName) {
    throw DatebookStoreError(DatebookStoreFailure::NotADatebook, notOurs);
  }
  return static_cast<int>(version);
}

}  // namespace tavir
