// The layout of a datebook file: how it is made and how we recognise one.
#pragma once

#include <cstdint>
#include <sqlite3.h>
#include <string>

#include "platform/Com.h"

namespace tavir {

constexpr std::int32_t kDatebookApplicationId = 0x54415652;  // "TAVR"
// 1 kept TimeValues (moments); 2 keeps wall-clock dates and times.
constexpr int kDatebookSchemaVersion = 2;
constexpr int kOldestDatebookSchemaVersion = 1;

// Makes the tables of an empty database, inside the caller's transaction.
void CreateDatebookSchema(sqlite3* connection, const WideString& userName);

// Throws DatebookStoreError (NotADatebook) unless the open database is a
// datebook of a version we read, and returns that version. Reads only.
int CheckDatebookSchema(sqlite3* connection, const std::string& path);

// Brings a datebook of an older version to the current one, inside the
// caller's transaction: the file changes only if that transaction commits.
void UpgradeDatebookSchema(sqlite3* connection, int version);

}  // namespace tavir
