// The appointment record: derived start and end, alarm advance, the one-line
// description for messages, and the duplicate test of import.
#include "model/AppointmentRecord.h"

#include <cctype>
#include <cstdint>

#include "model/FieldMapping.h"
#include "model/Options.h"
#include "model/Saturate.h"
#include "model/TextTrim.h"
#include "platform/AnsiCharacters.h"
#include "platform/Locale.h"

namespace tavir {
namespace {

constexpr std::size_t kDisplayTextBytes = 27;

bool SameFlag(std::int32_t a, std::int32_t b) { return (a != 0) == (b != 0); }

bool SameLocalDay(TimeValue a, TimeValue b) {
  const LocalFields x = SplitLocal(a);
  const LocalFields y = SplitLocal(b);
  return x.year == y.year && x.month == y.month && x.day == y.day;
}

bool EqualsIgnoringAsciiCase(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return i == a.size() && b[i] == '\0';
}

bool SameHourAndMinute(TimeValue a, TimeValue b) {
  const LocalFields x = SplitLocal(a);
  const LocalFields y = SplitLocal(b);
  return x.hour == y.hour && x.minute == y.minute;
}

// The day of `day` at the time of day of `timeOfDay`.
TimeValue CombineDayAndTime(TimeValue day, TimeValue timeOfDay) {
  const LocalFields d = SplitLocal(day);
  const LocalFields t = SplitLocal(timeOfDay);
  return BuildLocal(d.year, d.month, d.day, t.hour, t.minute, t.second);
}

}  // namespace

AppointmentRecord::AppointmentRecord(const Options& options) : options(options) { Reset(); }

void AppointmentRecord::Reset() {
  // exceptions, alarmUnit and alarmAmount survive: import reuses one record
  // for a whole file and resets it before each line.
  repeatEnd = 0;
  repeatInterval = 0;
  repeatType = Daily;
  monthlyWeekIndex = 0;
  weekDays = 0;
  alarm = 0;
  recordId = 0;
  untimed = 0;
  isPrivate = 0;
  repeat = 0;
  note.clear();
  text.clear();
  endTime = 0;
  startTime = 0;
  timeSpan = 0;
  date = 0;
  location.clear();
  category.clear();
}

void AppointmentRecord::SetDate(TimeValue t) { date = LocalMidnight(t); }

TimeValue AppointmentRecord::GetStart() const {
  if (untimed) return LocalMidnight(date);
  return CombineDayAndTime(date, startTime);
}

TimeValue AppointmentRecord::GetEnd() const {
  if (untimed) return LocalMidnight(date) + kSecondsPerDay;
  return CombineDayAndTime(date, endTime);
}

std::int32_t AppointmentRecord::GetAlarmMinutes() const {
  if (!alarm) return 0;
  std::int64_t minutes = alarmAmount;
  if (alarmUnit == Hours)
    minutes *= 60;
  else if (alarmUnit == Days)
    minutes *= 1440;
  // An advance read from a file can be any 32-bit number; the product must
  // not wrap into a different (or negative) advance.
  return SaturateToInt32(minutes);
}

std::string AppointmentRecord::GetDisplayText() const {
  std::string result = FormatDateText(date);
  if (!untimed) {
    result += ' ';
    result += FormatTimeText(startTime);
    result += " - ";
    result += FormatTimeText(endTime);
  }
  result += ' ';
  // Cut between characters: a multi-byte character is left out whole.
  result.append(text, 0, AnsiCutLength(text, kDisplayTextBytes));
  if (repeat) result += " (repeat)";
  return result;
}

bool AppointmentRecord::SetRepeatTypeByName(const std::string& name) {
  // Spreadsheets and hand-edited files change the case of words; "weekly"
  // must not silently become a daily repetition.
  static constexpr struct {
    const char* name;
    std::int32_t type;
  } kNames[] = {{"Daily", Daily},
                {"Weekly", Weekly},
                {"Monthly Date", MonthlyDate},
                {"Monthly Day", MonthlyDay},
                {"Yearly", Yearly}};
  for (const auto& known : kNames) {
    if (EqualsIgnoringAsciiCase(name, known.name)) {
      repeatType = known.type;
      return true;
    }
  }
  return false;
}

bool AppointmentRecord::IsSameAppointment(const AppointmentRecord& other) const {
  if (TrimWhiteSpace(text) != TrimWhiteSpace(other.text)) return false;
  if (TrimWhiteSpace(note) != TrimWhiteSpace(other.note)) return false;
  if (TrimWhiteSpace(location) != TrimWhiteSpace(other.location)) return false;
  if (!SameFlag(untimed, other.untimed)) return false;
  if (!SameLocalDay(date, other.date)) return false;
  if (!untimed && (!SameHourAndMinute(startTime, other.startTime) ||
                   !SameHourAndMinute(endTime, other.endTime)))
    return false;
  if (!SameFlag(isPrivate, other.isPrivate)) return false;
  // The alarm counts like the other flags, and two alarms must have the same
  // advance: otherwise an imported alarm that the Datebook lacks would be
  // skipped as a duplicate and lost. A file without the "Alarm Time" column
  // gives no advance, so then only the flags count.
  if (!SameFlag(alarm, other.alarm))
    return false;
  if (alarm && other.GetOptions().mapping.HasSimpleField(field::AlarmTime) &&
      GetAlarmMinutes() != other.GetAlarmMinutes())
    return false;
  if (!SameFlag(repeat, other.repeat)) return false;
  if (!repeat) return true;
  return repeatType == other.repeatType && repeatInterval == other.repeatInterval &&
         repeatEnd == other.repeatEnd && weekDays == other.weekDays;
}

std::string FormatDateText(TimeValue value) {
  const LocalFields local = SplitLocal(value);
  return FormatShortDate(local.year, local.month, local.day);
}

std::string FormatTimeText(TimeValue value) {
  const LocalFields local = SplitLocal(value);
  return FormatTimeNoSeconds(local.hour, local.minute, local.second);
}

}  // namespace tavir
