// Reading and writing appointment rows. Every value read is checked: a file
// changed by other tools must give a clear message, never a crash or a
// datebook the occurrence search cannot work with.
#include "desktop/store/AppointmentRows.h"

#include <algorithm>
#include <limits>
#include <string>

#include "desktop/store/WallClock.h"

namespace tavir {
namespace {

enum Column {
  kRecordId,
  kStart,
  kEnd,
  kUntimed,
  kDescription,
  kNote,
  kCategory,
  kLocation,
  kRepeatType,
  kRepeatInterval,
  kRepeatEnd,
  kRepeatExtra,
  kAlarm,
  kAlarmUnit,
  kAlarmAmount,
  kPrivate,
  kState,
};
constexpr const char* kAppointmentColumns[] = {
    "record_id", "start_time", "end_time",     "untimed",         "description", "note",
    "category",  "location",   "repeat_type",  "repeat_interval", "repeat_end",  "repeat_extra",
    "alarm",     "alarm_unit", "alarm_amount", "private",         "state"};
constexpr const char* kExceptionColumns[] = {"record_id", "day"};

constexpr std::int64_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();

[[noreturn]] void ThrowDamaged(const std::string& what) {
  throw DatebookStoreError(DatebookStoreFailure::Damaged,
                           "The datebook file is damaged: " + what + ".");
}

// Reads the columns of one row, naming the row in every complaint. The name
// is made only for a complaint: most rows have none.
class RowReader {
 public:
  RowReader(const SqliteStatement& statement, const char* row, const char* const* columnNames,
            int idColumn = -1)
      : statement_(statement), row_(row), columnNames_(columnNames), idColumn_(idColumn) {}

  std::int32_t Integer(int column, std::int64_t low = kIntMin, std::int64_t high = kIntMax) const {
    if (statement_.ColumnType(column) != SQLITE_INTEGER)
      Complain(column);
    const std::int64_t value = statement_.Integer(column);
    if (value < low || value > high)
      Complain(column);
    return static_cast<std::int32_t>(value);
  }
  bool Flag(int column) const { return Integer(column, 0, 1) != 0; }
  // A wall-clock date or time; a little beyond the 32-bit range is allowed,
  // as the zone's offset moves a TimeValue near the limits past them.
  std::int64_t WallClock(int column) const {
    if (statement_.ColumnType(column) != SQLITE_INTEGER)
      Complain(column);
    const std::int64_t value = statement_.Integer(column);
    if (value < kIntMin - kSecondsPerDay || value > kIntMax + kSecondsPerDay)
      Complain(column);
    return value;
  }
  // Valid until the statement moves on.
  StoredAppointments::WideView Text(int column) const {
    if (statement_.ColumnType(column) != SQLITE_TEXT)
      Complain(column);
    return statement_.TextView(column);
  }
  [[noreturn]] void Complain(int column) const {
    ThrowDamaged(RowName() + " has an invalid " + columnNames_[column]);
  }

 private:
  // "appointment 12", or the general name when the row has no integer id.
  std::string RowName() const {
    if (idColumn_ >= 0 && statement_.ColumnType(idColumn_) == SQLITE_INTEGER)
      return "appointment " + std::to_string(statement_.Integer(idColumn_));
    return row_;
  }

  const SqliteStatement& statement_;
  const char* row_;
  const char* const* columnNames_;
  int idColumn_;
};

RepeatRule ReadRepeatRule(const RowReader& row, WallClockReader& clock) {
  RepeatRule rule;
  rule.type = row.Integer(kRepeatType, 0, 5);
  rule.interval = row.Integer(kRepeatInterval, rule.type == 0 ? 0 : 1);
  rule.end = clock.Time(row.WallClock(kRepeatEnd));
  const std::int64_t extraHigh = rule.type == 2 ? 127 : rule.type == 3 ? 5 : 0;
  rule.extra = row.Integer(kRepeatExtra, rule.type == 3 ? 1 : 0, extraHigh);
  return rule;
}

StoredAppointments::Fields ReadAppointment(const SqliteStatement& statement,
                                           WallClockReader& clock) {
  const RowReader reader(statement, "an appointment", kAppointmentColumns, kRecordId);
  StoredAppointments::Fields appointment;
  appointment.recordId = reader.Integer(kRecordId, 1);
  const std::int64_t start = reader.WallClock(kStart);
  appointment.start = clock.Time(start);
  if (appointment.start != 0 && appointment.start != -1)
    appointment.startDay = clock.DayOf(start);
  appointment.end = clock.Time(reader.WallClock(kEnd));
  appointment.untimed = reader.Flag(kUntimed);
  appointment.description = reader.Text(kDescription);
  appointment.note = reader.Text(kNote);
  appointment.category = reader.Text(kCategory);
  appointment.location = reader.Text(kLocation);
  appointment.repeat = ReadRepeatRule(reader, clock);
  appointment.alarm = reader.Flag(kAlarm);
  appointment.alarmUnit = reader.Integer(kAlarmUnit, 0, 2);
  appointment.alarmAmount = reader.Integer(kAlarmAmount, 0);
  appointment.isPrivate = reader.Flag(kPrivate);
  appointment.state = static_cast<AppointmentState>(reader.Integer(kState, 0, 1));
  return appointment;
}

std::int64_t SingleValue(sqlite3* connection, const char* sql) {
  SqliteStatement statement(connection, sql);
  return statement.Step() ? std::max<std::int64_t>(0, statement.Integer(0)) : 0;
}

void ReadMeta(sqlite3* connection, DatebookData& data) {
  SqliteStatement name(connection, "SELECT value FROM meta WHERE key = 'user_name'");
  if (!name.Step() || name.ColumnType(0) != SQLITE_TEXT)
    ThrowDamaged("the user name is missing");
  data.SetUserName(name.Text(0));
  SqliteStatement next(connection, "SELECT value FROM meta WHERE key = 'next_record_id'");
  if (!next.Step() || next.ColumnType(0) != SQLITE_INTEGER || next.Integer(0) < 1 ||
      next.Integer(0) > kIntMax) {
    ThrowDamaged("the record id counter is missing or invalid");
  }
  data.SetNextRecordId(static_cast<std::int32_t>(next.Integer(0)));
}

}  // namespace

void ReadDatebookRows(sqlite3* connection, DatebookData& data) {
  ReadMeta(connection, data);
  StoredAppointments stored;
  // The texts are stored as UTF-16 in the file: they take no more than it.
  const std::int64_t fileBytes =
      SingleValue(connection, "PRAGMA page_count") * SingleValue(connection, "PRAGMA page_size");
  stored.Reserve(
      static_cast<std::size_t>(SingleValue(connection, "SELECT count(*) FROM appointments")),
      static_cast<std::size_t>(fileBytes / 2));
  WallClockReader clock;
  // Both orders are the tables' own: the record id is the row id, and the
  // exceptions' key begins with it.
  SqliteStatement rows(connection,
                       "SELECT record_id, start_time, end_time, untimed, description, note, "
                       "category, location, repeat_type, repeat_interval, repeat_end, "
                       "repeat_extra, alarm, alarm_unit, alarm_amount, private, state "
                       "FROM appointments ORDER BY record_id");
  while (rows.Step()) {
    if (!stored.Append(ReadAppointment(rows, clock)))
      ThrowDamaged("the appointments are not in record id order");
  }
  SqliteStatement exceptions(connection,
                             "SELECT record_id, day FROM exceptions ORDER BY record_id, day");
  while (exceptions.Step()) {
    const RowReader reader(exceptions, "an exception day", kExceptionColumns);
    const std::int32_t owner = reader.Integer(0);
    if (stored.Find(owner) == stored.Size())
      ThrowDamaged("an exception day belongs to no appointment");
    if (!stored.AppendException(owner, clock.Time(reader.WallClock(1))))
      ThrowDamaged("the exception days are not in record id order");
  }
  data.RestoreStored(std::move(stored));
  data.ForgetChanges();
}

AppointmentRowWriter::AppointmentRowWriter(sqlite3* connection)
    : upsert_(
          connection,
          "INSERT OR REPLACE INTO appointments (record_id, start_time, end_time, untimed, "
          "description, note, category, location, repeat_type, repeat_interval, repeat_end, "
          "repeat_extra, alarm, alarm_unit, alarm_amount, private, state) "
          "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17)"),
      deleteAppointment_(connection, "DELETE FROM appointments WHERE record_id = ?"),
      deleteExceptions_(connection, "DELETE FROM exceptions WHERE record_id = ?"),
      insertException_(connection,
                       "INSERT OR IGNORE INTO exceptions (record_id, day) VALUES (?, ?)"),
      setMeta_(connection, "INSERT OR REPLACE INTO meta (key, value) VALUES (?, ?)") {}

void AppointmentRowWriter::Write(const AppointmentData& a, bool newToFile) {
  upsert_.Bind(kRecordId + 1, a.recordId)
      .Bind(kStart + 1, ToWallClock(a.start))
      .Bind(kEnd + 1, ToWallClock(a.end))
      .Bind(kUntimed + 1, a.untimed)
      .Bind(kDescription + 1, a.description)
      .Bind(kNote + 1, a.note)
      .Bind(kCategory + 1, a.category)
      .Bind(kLocation + 1, a.location)
      .Bind(kRepeatType + 1, a.repeat.type)
      .Bind(kRepeatInterval + 1, a.repeat.interval)
      .Bind(kRepeatEnd + 1, ToWallClock(a.repeat.end))
      .Bind(kRepeatExtra + 1, a.repeat.extra)
      .Bind(kAlarm + 1, a.alarm)
      .Bind(kAlarmUnit + 1, a.alarmUnit)
      .Bind(kAlarmAmount + 1, a.alarmAmount)
      .Bind(kPrivate + 1, a.isPrivate)
      .Bind(kState + 1, static_cast<std::int64_t>(a.state))
      .Run();
  if (!newToFile)
    deleteExceptions_.Bind(1, a.recordId).Run();
  for (TimeValue day : a.exceptions)
    insertException_.Bind(1, a.recordId).Bind(2, ToWallClock(day)).Run();
}

void AppointmentRowWriter::Remove(std::int32_t recordId) {
  deleteExceptions_.Bind(1, recordId).Run();
  deleteAppointment_.Bind(1, recordId).Run();
}

void AppointmentRowWriter::WriteMeta(const DatebookData& data) {
  setMeta_.Bind(1, WideString(OLESTR("user_name"))).Bind(2, data.UserName()).Run();
  setMeta_.Bind(1, WideString(OLESTR("next_record_id"))).Bind(2, data.NextRecordId()).Run();
}

}  // namespace tavir
