// Owners of SQLite's connection and statement handles, and a small statement
// wrapper that binds, steps and reads columns, throwing DatebookStoreError
// with SQLite's own message when a call fails.
#pragma once

#include <cstdint>
#include <sqlite3.h>
#include <string>
#include <string_view>

#include "desktop/store/DatebookStoreError.h"
#include "platform/Com.h"
#include "platform/ScopedHandle.h"

namespace tavir {

struct SqliteConnectionTraits {
  using Handle = sqlite3*;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle connection) { return sqlite3_close_v2(connection) == SQLITE_OK; }
};
using SqliteConnection = ScopedHandle<SqliteConnectionTraits>;

struct SqliteStatementTraits {
  using Handle = sqlite3_stmt*;
  static Handle Invalid() { return nullptr; }
  // Finalizing always frees the statement; its answer repeats the last step's error.
  static bool Close(Handle statement) {
    sqlite3_finalize(statement);
    return true;
  }
};
using SqliteStatementHandle = ScopedHandle<SqliteStatementTraits>;

// Throws DatebookStoreError(failure) naming what was being done and SQLite's
// message for the connection.
[[noreturn]] void ThrowSqliteError(
    sqlite3* connection, const std::string& doing,
    DatebookStoreFailure failure = DatebookStoreFailure::Unavailable);

// Runs SQL text without results (several statements allowed).
void ExecuteSql(sqlite3* connection, const char* sql);

class SqliteStatement {
 public:
  SqliteStatement(sqlite3* connection, const char* sql);

  SqliteStatement& Bind(int index, std::int64_t value);
  SqliteStatement& Bind(int index, const WideString& text);
  // Steps once: true when a row is there to read.
  bool Step();
  // Steps to the end and resets, for statements without rows.
  void Run();
  void Reset();

  int ColumnType(int column) const { return sqlite3_column_type(handle_.Get(), column); }
  std::int64_t Integer(int column) const { return sqlite3_column_int64(handle_.Get(), column); }
  WideString Text(int column) const { return WideString(TextView(column)); }
  // The column's text, valid until the statement steps or resets.
  std::basic_string_view<OLECHAR> TextView(int column) const;

 private:
  sqlite3* connection_;
  SqliteStatementHandle handle_;
};

}  // namespace tavir
