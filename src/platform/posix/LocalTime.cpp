// Local calendar time through the C library (portable build): localtime_r and
// mktime with the process's TZ.
#include "platform/LocalTime.h"

#include <ctime>
#include <limits>

namespace tavir {

LocalFields SplitLocal(TimeValue t) {
  const std::time_t seconds = t;
  std::tm fields{};
  if (localtime_r(&seconds, &fields) == nullptr) return LocalFields{};
  return LocalFields{fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, fields.tm_hour,
                     fields.tm_min,         fields.tm_sec,     fields.tm_wday};
}

TimeValue BuildLocal(int year, int month, int day, int hour, int minute, int second,
                     DaylightSaving dst) {
  std::tm fields{};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_hour = hour;
  fields.tm_min = minute;
  fields.tm_sec = second;
  fields.tm_isdst = dst == DaylightSaving::ForcedOff ? 0 : -1;
  fields.tm_wday = -1;  // mktime sets it on success; -1 is also a valid result
  const std::time_t built = std::mktime(&fields);
  // A moment mktime cannot represent, or one outside the 32-bit range, has no
  // TimeValue: it becomes 0, "no value".
  if (fields.tm_wday < 0) return 0;
  if (built < std::numeric_limits<TimeValue>::min() ||
      built > std::numeric_limits<TimeValue>::max())
    return 0;
  return static_cast<TimeValue>(built);
}

}  // namespace tavir
