// Prepared statements over the owned SQLite handles.
#include "desktop/store/SqliteHandles.h"

namespace tavir {

void ThrowSqliteError(sqlite3* connection, const std::string& doing, DatebookStoreFailure failure) {
  throw DatebookStoreError(failure, doing + ": " + sqlite3_errmsg(connection));
}

void ExecuteSql(sqlite3* connection, const char* sql) {
  if (sqlite3_exec(connection, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
    ThrowSqliteError(connection, "Cannot update the datebook");
  }
}

SqliteStatement::SqliteStatement(sqlite3* connection, const char* sql) : connection_(connection) {
  const int result = sqlite3_prepare_v2(connection, sql, -1, handle_.Receive(), nullptr);
  if (result != SQLITE_OK)
    ThrowSqliteError(connection, "Cannot read the datebook");
}

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t value) {
  if (sqlite3_bind_int64(handle_.Get(), index, value) != SQLITE_OK) {
    ThrowSqliteError(connection_, "Cannot update the datebook");
  }
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, const WideString& text) {
  static_assert(sizeof(OLECHAR) == 2, "SQLite's UTF-16 is two bytes a unit");
  if (sqlite3_bind_text16(handle_.Get(), index, text.data(),
                          static_cast<int>(text.size() * sizeof(OLECHAR)),
                          SQLITE_TRANSIENT) != SQLITE_OK) {
    ThrowSqliteError(connection_, "Cannot update the datebook");
  }
  return *this;
}

bool SqliteStatement::Step() {
  const int result = sqlite3_step(handle_.Get());
  if (result == SQLITE_ROW)
    return true;
  if (result == SQLITE_DONE)
    return false;
  ThrowSqliteError(
      connection_, "Cannot access the datebook",
      result == SQLITE_BUSY ? DatebookStoreFailure::InUse : DatebookStoreFailure::Unavailable);
}

void SqliteStatement::Run() {
  while (Step()) {
  }
  Reset();
}

void SqliteStatement::Reset() {
  sqlite3_reset(handle_.Get());
  sqlite3_clear_bindings(handle_.Get());
}

std::basic_string_view<OLECHAR> SqliteStatement::TextView(int column) const {
  const auto* text = static_cast<const OLECHAR*>(sqlite3_column_text16(handle_.Get(), column));
  const int bytes = sqlite3_column_bytes16(handle_.Get(), column);
  return text ? std::basic_string_view<OLECHAR>(text, static_cast<size_t>(bytes) / sizeof(OLECHAR))
              : std::basic_string_view<OLECHAR>();
}

}  // namespace tavir
