// The program's own form of one Datebook appointment: every export and import
// passes through it. Texts are ANSI byte strings.
#pragma once

#include <cstdint>
#include <string>

#include "platform/LocalTime.h"

namespace tavir {

class Options;

enum RepeatType : std::int32_t {
  Daily = 1,
  Weekly = 2,
  MonthlyDay = 3,   // the same weekday of the same week of the month
  MonthlyDate = 4,  // the same day of the month
  Yearly = 5,
};

enum AlarmUnit : std::int32_t { Minutes = 0, Hours = 1, Days = 2 };

// Weekday set bits: Sunday 1, Monday 2, ... Saturday 64.
constexpr std::uint8_t kWeekdayBit[7] = {1, 2, 4, 8, 16, 32, 64};

class AppointmentRecord {
 public:
  explicit AppointmentRecord(const Options& options);
  virtual ~AppointmentRecord() = default;
  AppointmentRecord(const AppointmentRecord&) = delete;
  AppointmentRecord& operator=(const AppointmentRecord&) = delete;

  // Back to a fresh record, except exceptions, alarmUnit and alarmAmount:
  // import reuses one record per file.
  void Reset();
  void SetDate(TimeValue t);  // local midnight of t's day
  void SetStartTime(TimeValue t) { startTime = t; }
  void SetEndTime(TimeValue t) { endTime = t; }
  TimeValue GetStart() const;
  TimeValue GetEnd() const;  // no day is added when the end lies before the start
  std::int32_t GetAlarmMinutes() const;
  // Date, times of a timed record, the first 27 bytes of text (cut between
  // characters) and " (repeat)": the record as messages name it.
  std::string GetDisplayText() const;
  // One of the five repeat kind names, case ignored; false (the kind stays)
  // for any other text.
  bool SetRepeatTypeByName(const std::string& name);
  // The duplicate test of import: texts (trimmed), flags, day, times of a
  // timed record, alarm flag and advance (the advance only when other's
  // mapping has the "Alarm Time" column), and the repeat rule. Called on the
  // record read from the host with the imported record as other.
  bool IsSameAppointment(const AppointmentRecord& other) const;
  const Options& GetOptions() const { return options; }

  std::string exceptions;
  TimeValue repeatEnd = 0;
  std::int32_t repeatInterval = 0;
  std::int32_t repeatType = Daily;
  std::int32_t monthlyWeekIndex = 0;
  std::uint8_t weekDays = 0;
  std::int32_t alarmUnit = 0;
  std::int32_t alarmAmount = 0;
  std::int32_t alarm = 0;
  std::int32_t recordId = 0;
  std::int32_t untimed = 0;
  std::int32_t isPrivate = 0;
  std::int32_t repeat = 0;
  std::string note;
  std::string text;
  TimeValue endTime = 0;
  TimeValue startTime = 0;
  std::int32_t timeSpan = 0;
  TimeValue date = 0;
  std::string location;
  std::string category;

 private:
  const Options& options;
};

// Text forms in the user's regional settings (short date; time without seconds).
std::string FormatDateText(TimeValue value);
std::string FormatTimeText(TimeValue value);

}  // namespace tavir
