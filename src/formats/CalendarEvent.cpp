// One VEVENT of a calendar file: CalendarFile::WriteAppointment and the parts
// it is made of.
#include <algorithm>
#include <cstdio>
#include <limits>

#include "formats/CalendarFile.h"
#include "formats/CalendarRepeatRule.h"
#include "formats/CalendarText.h"
#include "formats/CalendarTimes.h"
#include "formats/CalendarUid.h"
#include "host/HostCalls.h"
#include "host/HostExceptionDays.h"
#include "host/RuleDays.h"
#include "model/AppointmentRecord.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/ComError.h"

namespace tavir {

namespace {

// The import's rule: an end time of day before the start time of day lies on
// the next day.
bool EndsNextDay(const AppointmentRecord& record) {
  const LocalFields start = SplitLocal(record.startTime);
  const LocalFields end = SplitLocal(record.endTime);
  return end.hour < start.hour || (end.hour == start.hour && end.minute < start.minute);
}

}  // namespace

int CalendarFile::WriteAppointment(const AppointmentRecord& record,
                                   IDesktopAppointment* appointment, bool expandedOccurrence) {
  // The rule is read before anything is written, so that a failing host call
  // leaves no half-written event behind.
  const bool writesRule = record.repeat && !expandedOccurrence;
  std::string rule;
  std::vector<TimeValue> exceptionDays;
  bool startOutsideRule = false;
  if (writesRule) {
    if (!appointment)
      ThrowIfFailed(E_POINTER, "IDesktopAppointment");
    RepeatRuleForm form = RepeatRuleForm::VCalendar;
    if (IsICalendar())
      form = record.untimed ? RepeatRuleForm::ICalendarUntimed : RepeatRuleForm::ICalendarTimed;
    rule = BuildRepeatRule(appointment, form);
    // Without them a reader would bring back the occurrences the user cancelled.
    if (!rule.empty())
      exceptionDays = RecoverExceptionDays(appointment).value_or(exceptionDays);
    if (!rule.empty() && IsICalendar())
      startOutsideRule = !RuleYieldsItsStart(ReadRepeat(appointment), ReadStartTime(appointment));
  }

  WriteProperty("BEGIN", "VEVENT");
  // The same for every export of the appointment, so that importing a newer
  // file updates the events instead of adding them again. Each expanded
  // occurrence is an event of its own and gets its day in the identifier.
  if (IsICalendar())
    WriteProperty("UID",
                  EventUid(record.recordId, userNameUtf8_, expandedOccurrence ? record.date : 0));
  if (!record.text.empty())
    WriteTextProperty("SUMMARY", record.text);
  if (!record.note.empty())
    WriteTextProperty("DESCRIPTION", record.note);
  if (stamp_.empty())
    stamp_ = FormatUtcDateTime(CurrentTime());
  WritePlainProperty("DTSTAMP", stamp_);
  // A UTC start would make the rule's weekdays and month days UTC ones and
  // keep the UTC time across daylight-saving changes; a floating local start
  // repeats at the same local time on the local days, as the Datebook does.
  WriteStartAndEnd(record, IsICalendar() && writesRule && !rule.empty());
  if (record.isPrivate)
    WriteProperty("CLASS", "PRIVATE");
  if (record.alarm)
    WriteAlarm(record);
  if (!record.category.empty())
    WriteTextProperty("CATEGORIES", record.category);
  if (!record.location.empty())
    WriteTextProperty("LOCATION", record.location);
  if (writesRule)
    WriteRepeatRule(rule);
  // A start the rule does not yield is an occurrence only when named.
  if (startOutsideRule)
    WriteStartDay(record);
  if (!exceptionDays.empty())
    WriteExceptionDays(record, exceptionDays);
  WriteProperty("END", "VEVENT");
  return 1;
}

int CalendarFile::WriteTextProperty(const std::string& name, const std::string& ansiText) {
  if (!IsICalendar())
    return WriteEncodedProperty(name, ansiText);
  // The escaped text holds no line break, so it goes on the line as it is.
  WriteText(name);
  line_ += ':';
  AppendCalendarTextEscaped(line_, AnsiToUtf8(ansiText));
  return EndRecord();
}

void CalendarFile::WriteStartAndEnd(const AppointmentRecord& record, bool floating) {
  const TimeValue start = record.GetStart();
  if (record.untimed) {
    WriteDateProperty("DTSTART", start);
    // GetEnd adds 86400 seconds, which stays on the same day when that day is
    // 25 hours long; an iCalendar reader would take the event as empty.
    WriteDateProperty("DTEND", IsICalendar() ? AddLocalDay(start) : record.GetEnd());
    return;
  }
  TimeValue end = record.GetEnd();
  if (EndsNextDay(record))
    end = AddLocalDay(end);
  if (floating) {
    WritePlainProperty("DTSTART", FormatFloatingDateTime(start));
    WritePlainProperty("DTEND", FormatFloatingDateTime(end));
  } else {
    WriteDateTimeProperty("DTSTART", start);
    WriteDateTimeProperty("DTEND", end);
  }
}

void CalendarFile::WriteStartDay(const AppointmentRecord& record) {
  if (record.untimed)
    WriteProperty("RDATE;VALUE=DATE", FormatLocalDate(record.GetStart()));
  else
    WriteProperty("RDATE", FormatFloatingDateTime(record.GetStart()));
}

void CalendarFile::WriteExceptionDays(const AppointmentRecord& record,
                                      const std::vector<TimeValue>& days) {
  const LocalFields start = SplitLocal(record.GetStart());
  std::string values;
  for (const TimeValue day : days) {
    // vCalendar separates the values of a list by semicolons.
    if (!values.empty())
      values += IsICalendar() ? ',' : ';';
    if (record.untimed) {
      values += FormatLocalDate(day);
      continue;
    }
    const LocalFields date = SplitLocal(day);
    const TimeValue moment =
        BuildLocal(date.year, date.month, date.day, start.hour, start.minute, 0);
    values += IsICalendar() ? FormatFloatingDateTime(moment) : FormatUtcDateTime(moment);
  }
  WriteProperty(record.untimed ? "EXDATE;VALUE=DATE" : "EXDATE", values);
}

void CalendarFile::WriteAlarm(const AppointmentRecord& record) {
  const std::int32_t minutes = record.GetAlarmMinutes();
  if (!IsICalendar()) {
    // A huge advance must not wrap around to a moment after the event.
    const std::int64_t alarmAt = std::int64_t{record.GetStart()} - std::int64_t{minutes} * 60;
    WriteDateTimeProperty("DALARM", static_cast<TimeValue>(std::max<std::int64_t>(
                                        alarmAt, std::numeric_limits<TimeValue>::min())));
    return;
  }
  char trigger[32];
  std::snprintf(trigger, sizeof trigger, "-PT%dM", static_cast<int>(minutes));
  WriteProperty("BEGIN", "VALARM");
  WriteProperty("TRIGGER;VALUE=DURATION", trigger);
  WriteProperty("ACTION", "DISPLAY");
  WriteTextProperty("DESCRIPTION", record.text);
  WriteProperty("END", "VALARM");
}

}  // namespace tavir
