// The RRULE value of a repeating appointment, read from the host appointment.
#include "formats/CalendarRepeatRule.h"

#include "formats/CalendarTimes.h"
#include "host/HostCalls.h"
#include "model/AppointmentRecord.h"
#include "platform/ComError.h"

namespace tavir {

namespace {

constexpr const char* kAppointment = "IDesktopAppointment";
constexpr const char* kWeekdayCodes[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

// The rule as the host gives it; its type is get_RepeatType's.
HostRepeat ReadRuleOf(IDesktopAppointment* appointment) {
  HostRepeat repeat;
  if (ReadRepeating(appointment)) repeat = ReadRepeat(appointment);
  ThrowIfFailed(appointment->get_RepeatType(&repeat.type), kAppointment);
  return repeat;
}

const char* Frequency(HostLong type) {
  switch (type) {
    case Daily: return "FREQ=DAILY";
    case Weekly: return "FREQ=WEEKLY";
    case MonthlyDate:
    case MonthlyDay: return "FREQ=MONTHLY";
    case Yearly: return "FREQ=YEARLY";
    default: return nullptr;
  }
}

std::string FormatUntil(TimeValue end, RepeatRuleForm form) {
  switch (form) {
    case RepeatRuleForm::VCalendar: return FormatLocalDate(end) + "T000000Z";
    case RepeatRuleForm::ICalendarTimed: return FormatLocalDate(end) + "T235959";
    case RepeatRuleForm::ICalendarUntimed: return FormatLocalDate(end);
  }
  return {};
}

std::string WeekdayList(HostLong weekDays) {
  std::string list;
  for (int day = 0; day < 7; ++day) {
    if (weekDays & kWeekdayBit[day]) {
      if (!list.empty()) list += ',';
      list += kWeekdayCodes[day];
    }
  }
  return list;
}

}  // namespace

std::string BuildRepeatRule(IDesktopAppointment* appointment, RepeatRuleForm form) {
  const HostRepeat repeat = ReadRuleOf(appointment);
  const char* frequency = Frequency(repeat.type);
  if (!frequency) return {};
  const bool iCalendar = form != RepeatRuleForm::VCalendar;

  std::string rule = frequency;
  if (repeat.interval > 1) rule += ";INTERVAL=" + std::to_string(repeat.interval);
  if (repeat.end > 0) rule += ";UNTIL=" + FormatUntil(repeat.end, form);
  switch (repeat.type) {
    case Weekly: {
      const std::string weekdays = WeekdayList(repeat.extra & 0xFF);
      if (!iCalendar || !weekdays.empty()) rule += ";BYDAY=" + weekdays;
      if (iCalendar) rule += ";WKST=SU";
      break;
    }
    case MonthlyDate:
      rule += ";BYMONTHDAY=" + std::to_string(SplitLocal(ReadStartTime(appointment)).day);
      break;
    case MonthlyDay: {
      const int weekIndex = repeat.extra == 5 ? -1 : repeat.extra;
      rule += ";BYDAY=" + std::to_string(weekIndex) +
              kWeekdayCodes[SplitLocal(ReadStartTime(appointment)).dayOfWeek];
      break;
    }
    default: break;
  }
  return rule;
}

}  // namespace tavir
