// The days a repeat rule yields, evaluated by the program itself: set beside
// the host's occurrence search, they tell which days the host skips.
#pragma once

#include <chrono>
#include <vector>

#include "host/HostCalls.h"

namespace tavir {

// Local midnights of the start day and of every later day up to lastDay
// (inclusive) that the rule yields: Daily every interval days; Weekly in
// every interval-th week counted from the start's week (weeks start on
// Sunday) on each weekday of the set, the start's weekday when the set is
// empty; MonthlyDay the index-th (5 = last) start's weekday of every
// interval-th month; MonthlyDate the start's day of the month (months
// without it skipped); Yearly the start's month and day (29 February only in
// leap years). An interval below 1 counts as 1.
std::vector<TimeValue> RuleDays(const HostRepeat& rule, TimeValue start, TimeValue lastDay);

// The same days on the calendar, sorted, from the start's day to last: what
// a caller comparing many days uses, free of one local time per day.
std::vector<std::chrono::sys_days> RuleCalendarDays(const HostRepeat& rule,
                                                    std::chrono::sys_days first,
                                                    std::chrono::sys_days last);

// The local day of a moment, and the local midnight of a day.
std::chrono::sys_days LocalDay(TimeValue t);
TimeValue Midnight(std::chrono::sys_days day);

// Whether the rule itself yields the start's day. The Datebook counts the
// start day as an occurrence either way (a weekly rule whose weekdays lack
// it, a monthly one whose week is another); a calendar reader does not.
bool RuleYieldsItsStart(const HostRepeat& rule, TimeValue start);

}  // namespace tavir
