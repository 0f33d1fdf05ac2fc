// Appointments as rows of the datebook file: reading every row with checks
// on each value, and writing the rows of changed appointments.
#pragma once

#include <sqlite3.h>

#include "desktop/DatebookData.h"
#include "desktop/store/SqliteHandles.h"

namespace tavir {

// Reads the user name, the record id counter, the appointments and their
// exceptions into data. A value of the wrong type or out of range throws
// DatebookStoreError (Damaged) naming the row and column.
void ReadDatebookRows(sqlite3* connection, DatebookData& data);

// Writes single appointments, deletions and the meta values, with statements
// prepared once per commit.
class AppointmentRowWriter {
 public:
  explicit AppointmentRowWriter(sqlite3* connection);
  // An appointment new to the file has no exception rows to remove first.
  void Write(const AppointmentData& appointment, bool newToFile);
  void Remove(std::int32_t recordId);
  void WriteMeta(const DatebookData& data);

 private:
  SqliteStatement upsert_;
  SqliteStatement deleteAppointment_;
  SqliteStatement deleteExceptions_;
  SqliteStatement insertException_;
  SqliteStatement setMeta_;
};

}  // namespace tavir
