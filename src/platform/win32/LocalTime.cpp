// Local calendar time through the C runtime (Windows): _localtime64_s and
// _mktime64, which take the zone from TZ or, without it, from the system.
#include "platform/LocalTime.h"

#include <ctime>
#include <limits>

#include "platform/CalendarFields.h"

namespace tavir {
namespace {

// The runtime refuses moments before 1970. The Gregorian calendar repeats its
// weekdays and leap years every 28 years between 1901 and 2099, so such a
// moment is shifted 28 years on, converted, and its year shifted back.
constexpr int kCycleYears = 28;
constexpr __time64_t kCycleSeconds = 10227LL * 86400;  // 28 years of days

}  // namespace

LocalFields SplitLocal(TimeValue t) {
  __time64_t seconds = t;
  int yearShift = 0;
  if (seconds < 2 * 86400) {  // also a local day that falls in 1969
    seconds += kCycleSeconds;
    yearShift = kCycleYears;
  }
  std::tm fields{};
  if (_localtime64_s(&fields, &seconds) != 0)
    return LocalFields{};
  return ToLocalFields(fields, yearShift);
}

TimeValue BuildLocal(int year, int month, int day, int hour, int minute, int second,
                     DaylightSaving dst) {
  const int yearShift = year <= 1970 ? kCycleYears : 0;
  std::tm fields = CalendarFields(year + yearShift, month, day, hour, minute, second, dst);
  __time64_t built = _mktime64(&fields);
  // A moment the runtime cannot represent, or one outside the 32-bit range,
  // has no TimeValue: it becomes 0, "no value".
  if (built == -1)
    return 0;
  built -= yearShift ? kCycleSeconds : 0;
  if (built < std::numeric_limits<TimeValue>::min() ||
      built > std::numeric_limits<TimeValue>::max())
    return 0;
  return static_cast<TimeValue>(built);
}

std::vector<std::int32_t> LocalDayNumbers(const std::vector<TimeValue>& moments) {
  std::vector<std::int32_t> days;
  days.reserve(moments.size());
  for (const TimeValue moment : moments)
    days.push_back(DayNumberOf(SplitLocal(moment)));
  return days;
}

}  // namespace tavir
