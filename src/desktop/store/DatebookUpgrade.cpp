// Upgrading older datebook files. Version 1 kept moments (TimeValues), so an
// appointment moved when the time zone changed; its moments become the
// wall-clock dates and times they showed in the zone of the upgrading run.
#include <string>

#include "desktop/store/DatebookSchema.h"
#include "desktop/store/SqliteHandles.h"
#include "desktop/store/WallClock.h"

namespace tavir {
namespace {

// wall_clock(x): a 32-bit integer moment as wall-clock seconds; any other
// value is returned as it is, for the row reader to report.
void WallClockFunction(sqlite3_context* context, int, sqlite3_value** arguments) {
  sqlite3_value* value = arguments[0];
  const std::int64_t moment = sqlite3_value_int64(value);
  if (sqlite3_value_type(value) != SQLITE_INTEGER || moment != static_cast<TimeValue>(moment)) {
    sqlite3_result_value(context, value);
    return;
  }
  sqlite3_result_int64(context, ToWallClock(static_cast<TimeValue>(moment)));
}

}  // namespace

void UpgradeDatebookSchema(sqlite3* connection, int version) {
  if (version >= kDatebookSchemaVersion)
    return;
  if (sqlite3_create_function(connection, "wall_clock", 1, SQLITE_UTF8, nullptr, WallClockFunction,
                              nullptr, nullptr) != SQLITE_OK) {
    ThrowSqliteError(connection, "Cannot upgrade the datebook");
  }
  // Exception days are part of their table's key, so they are written anew
  // rather than changed in place, where two could meet for a moment.
  ExecuteSql(connection,
             ("UPDATE appointments SET start_time = wall_clock(start_time),"
              " end_time = wall_clock(end_time), repeat_end = wall_clock(repeat_end);"
              "CREATE TEMP TABLE upgraded_exceptions AS"
              " SELECT record_id, wall_clock(day) AS day FROM exceptions;"
              "DELETE FROM exceptions;"
              "INSERT OR IGNORE INTO exceptions SELECT record_id, day FROM upgraded_exceptions;"
              "DROP TABLE upgraded_exceptions;"
              "PRAGMA user_version = " +
              std::to_string(kDatebookSchemaVersion))
                 .c_str());
  sqlite3_create_function(connection, "wall_clock", 1, SQLITE_UTF8, nullptr, nullptr, nullptr,
                          nullptr);
}

}  // namespace tavir
