// Local calendar time through the C library (portable build): localtime_r and
// mktime with the process's TZ.
#include "platform/LocalTime.h"

#include "platform/CalendarFields.h"

#include <ctime>
#include <limits>

namespace tavir {

LocalFields SplitLocal(TimeValue t) {
  const std::time_t seconds = t;
  std::tm fields{};
  if (localtime_r(&seconds, &fields) == nullptr) return LocalFields{};
  return ToLocalFields(fields);
}

TimeValue BuildLocal(int year, int month, int day, int hour, int minute, int second,
                     DaylightSaving dst) {
  std::tm fields = CalendarFields(year, month, day, hour, minute, second, dst);
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
