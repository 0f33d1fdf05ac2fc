// The layout of a datebook file: how it is made and how we recognise one.
#pragma once

#include <cstdint>
#include <sqlite3.h>
#include <string>

#include "platform/Com.h"

namespace tavir {

constexpr std::int32_t kDatebookApplicationId = 0x54415652;  // "TAVR"
constexpr int kDatebookSchemaVersion = 1;

// Makes the tables of an empty database, inside the caller's transaction.
void CreateDatebookSchema(sqlite3* connection, const WideString& userName);

// Throws DatebookStoreError (NotADatebook) unless the open database is a
// datebook of a version we read. Reads only.
void CheckDatebookSchema(sqlite3* connection, const std::string& path);

}  // namespace tavir
