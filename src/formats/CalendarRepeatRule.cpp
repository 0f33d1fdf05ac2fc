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
  return form == RepeatRuleForm::ICalendarTimed ? FormatLocalDate(end) + "T235959"
                                                : FormatLocalDate(end);
}

// The index-th (5: the last) weekday of a monthly-by-day rule; an index the
// host should not give counts as the start's own week, as the host counts it.
int WeekIndex(HostLong extra, const LocalFields& start) {
  return extra >= 1 && extra <= 5 ? static_cast<int>(extra) : (start.day - 1) / 7 + 1;
}

std::string VCalendarRule(const HostRepeat& repeat, IDesktopAppointment* appointment) {
  const std::string interval = std::to_string(repeat.interval > 1 ? repeat.interval : 1);
  std::string rule;
  switch (repeat.type) {
    case Daily:
      rule = "D" + interval;
      break;
    case Weekly: {
      HostLong weekDays = repeat.extra & 0x7F;
      if (weekDays == 0)
        weekDays = kWeekdayBit[SplitLocal(ReadStartTime(appointment)).dayOfWeek];
      rule = "W" + interval;
      for (int day = 0; day < 7; ++day)
        if (weekDays & kWeekdayBit[day])
          rule += std::string(" ") + kWeekdayCodes[day];
      break;
    }
    case MonthlyDay: {
      const LocalFields start = SplitLocal(ReadStartTime(appointment));
      const int index = WeekIndex(repeat.extra, start);
      rule = "MP" + interval + " " + (index == 5 ? "1-" : std::to_string(index) + "+") + " " +
             kWeekdayCodes[start.dayOfWeek];
      break;
    }
    case MonthlyDate:
      rule = "MD" + interval + " " + std::to_string(SplitLocal(ReadStartTime(appointment)).day);
      break;
    case Yearly:
      rule = "YM" + interval + " " + std::to_string(SplitLocal(ReadStartTime(appointment)).month);
      break;
    default:
      return {};
  }
  if (repeat.end > 0) {
    const LocalFields last = SplitLocal(repeat.end);
    return rule + " " + FormatUtcDateTime(BuildLocal(last.year, last.month, last.day, 23, 59, 0));
  }
  return rule + " #0";
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
  if (form == RepeatRuleForm::VCalendar)
    return VCalendarRule(repeat, appointment);
  const char* frequency = Frequency(repeat.type);
  if (!frequency)
    return {};

  std::string rule = frequency;
  if (repeat.interval > 1) rule += ";INTERVAL=" + std::to_string(repeat.interval);
  if (repeat.end > 0) rule += ";UNTIL=" + FormatUntil(repeat.end, form);
  switch (repeat.type) {
    case Weekly: {
      const std::string weekdays = WeekdayList(repeat.extra & 0xFF);
      if (!weekdays.empty())
        rule += ";BYDAY=" + weekdays;
      rule += ";WKST=SU";
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
