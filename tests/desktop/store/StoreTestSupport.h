// Helpers of the datebook store tests: whole-file reads
// and SQL run on a file behind the store's back.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sqlite3.h>
#include <stdlib.h>
#include <string>

#include <gtest/gtest.h>

#include "desktop/store/SqliteHandles.h"
#include "support/ScratchDirectory.h"

namespace tavir::test_support {

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Runs SQL on the file directly, as another tool would.
inline void RunSql(const std::string& path, const std::string& sql) {
  sqlite3* opened = nullptr;
  sqlite3_open(path.c_str(), &opened);
  SqliteConnection connection(opened);
  char* message = nullptr;
  const int result = sqlite3_exec(connection.Get(), sql.c_str(), nullptr, nullptr, &message);
  const std::string text = message ? message : "";
  sqlite3_free(message);
  ASSERT_EQ(SQLITE_OK, result) << text << " in " << sql;
}

}  // namespace tavir::test_support
