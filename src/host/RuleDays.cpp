// Repeat rules evaluated on the civil calendar, one candidate day or month at
// a time.
#include "host/RuleDays.h"

#include <algorithm>
#include <chrono>

#include "model/AppointmentRecord.h"

namespace tavir {

namespace {

constexpr int kLongestUsefulInterval = 25000;

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

unsigned WeekdayOf(sys_days day) {
  return std::chrono::weekday{day}.c_encoding();
}

// The index-th (5: the last) given weekday of a month; none (a day past the
// month) cannot happen, every month has four of each weekday.
sys_days NthWeekday(std::chrono::year_month month, unsigned weekday, int index) {
  const sys_days first{month / 1};
  const sys_days firstMatch = first + days{(weekday + 7 - WeekdayOf(first)) % 7};
  if (index >= 1 && index <= 4)
    return firstMatch + days{7 * (index - 1)};
  const sys_days last{month / std::chrono::last};
  return firstMatch + days{7 * ((last - firstMatch).count() / 7)};
}

}  // namespace

sys_days LocalDay(TimeValue t) {
  const LocalFields local = SplitLocal(t);
  return sys_days{std::chrono::year{local.year} / local.month / local.day};
}

TimeValue Midnight(sys_days day) {
  const year_month_day date{day};
  return LocalMidnight(static_cast<int>(date.year()), static_cast<int>(unsigned(date.month())),
                       static_cast<int>(unsigned(date.day())));
}

std::vector<sys_days> RuleCalendarDays(const HostRepeat& rule, sys_days first, sys_days last) {
  // Beyond some 68 years every interval ends the rule after its first day; held
  // there, steps of days, weeks, months and years stay within their types.
  const int interval = std::clamp<int>(rule.interval, 1, kLongestUsefulInterval);
  const year_month_day startDate{first};
  std::vector<sys_days> found{first};
  auto take = [&](sys_days day) {
    if (day > first && day <= last)
      found.push_back(day);
  };
  switch (rule.type) {
    case Daily:
      for (sys_days day = first + days{interval}; day <= last; day += days{interval})
        take(day);
      break;
    case Weekly: {
      unsigned set = static_cast<unsigned>(rule.extra) & 0x7F;
      if (set == 0)
        set = 1u << WeekdayOf(first);
      for (sys_days week = first - days{WeekdayOf(first)}; week <= last; week += days{7 * interval})
        for (unsigned weekday = 0; weekday < 7; ++weekday)
          if (set & (1u << weekday))
            take(week + days{weekday});
      break;
    }
    case MonthlyDay:
    case MonthlyDate: {
      const std::chrono::year_month startMonth = startDate.year() / startDate.month();
      const int index = rule.extra >= 1 && rule.extra <= 5
                            ? static_cast<int>(rule.extra)
                            : static_cast<int>((unsigned(startDate.day()) - 1) / 7 + 1);
      for (std::chrono::year_month month = startMonth; sys_days{month / 1} <= last;
           month += std::chrono::months{interval}) {
        if (rule.type == MonthlyDay) {
          take(NthWeekday(month, WeekdayOf(first), index));
        } else if (const year_month_day date = month / startDate.day(); date.ok()) {
          take(sys_days{date});
        }
      }
      break;
    }
    case Yearly:
      for (std::chrono::year year = startDate.year(); sys_days{year / 1 / 1} <= last;
           year += std::chrono::years{interval})
        if (const year_month_day date = year / startDate.month() / startDate.day(); date.ok())
          take(sys_days{date});
      break;
    default:
      break;
  }
  // Every loop above takes its days in order; the check costs one pass, a
  // sort of a sorted run n log n.
  if (!std::is_sorted(found.begin(), found.end()))
    std::sort(found.begin(), found.end());
  return found;
}

std::vector<TimeValue> RuleDays(const HostRepeat& rule, TimeValue start, TimeValue lastDay) {
  const std::vector<sys_days> found = RuleCalendarDays(rule, LocalDay(start), LocalDay(lastDay));
  std::vector<TimeValue> result;
  result.reserve(found.size());
  for (const sys_days day : found)
    result.push_back(Midnight(day));
  return result;
}

bool RuleYieldsItsStart(const HostRepeat& rule, TimeValue start) {
  const sys_days day = LocalDay(start);
  const year_month_day date{day};
  switch (rule.type) {
    case Weekly: {
      const unsigned set = static_cast<unsigned>(rule.extra) & 0x7F;
      return set == 0 || (set & (1u << WeekdayOf(day))) != 0;
    }
    case MonthlyDay:
      if (rule.extra < 1 || rule.extra > 5)
        return true;  // the start's own week
      return NthWeekday(date.year() / date.month(), WeekdayOf(day), static_cast<int>(rule.extra)) ==
             day;
    default:
      return true;
  }
}

}  // namespace tavir
