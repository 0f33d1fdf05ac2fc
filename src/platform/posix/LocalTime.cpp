// Local calendar time through the C library (portable build): localtime_r and
// mktime with the process's TZ, their answers kept while TZ stays the same.
#include "platform/LocalTime.h"

#include <ctime>
#include <limits>

#include "platform/CalendarFields.h"
#include "platform/posix/LocalTimeMemo.h"

namespace tavir {

LocalFields SplitLocal(TimeValue t) {
  local_time_memo::FollowZone();
  if (const std::optional<LocalFields> kept = local_time_memo::FindSplit(t))
    return *kept;
  const std::time_t seconds = t;
  std::tm fields{};
  const LocalFields split =
      localtime_r(&seconds, &fields) == nullptr ? LocalFields{} : ToLocalFields(fields);
  local_time_memo::KeepSplit(t, split);
  return split;
}

TimeValue BuildLocal(int year, int month, int day, int hour, int minute, int second,
                     DaylightSaving dst) {
  local_time_memo::FollowZone();
  const local_time_memo::BuildKey key{year, month, day, hour, minute, second, dst};
  if (const std::optional<TimeValue> kept = local_time_memo::FindBuild(key))
    return *kept;
  std::tm fields = CalendarFields(year, month, day, hour, minute, second, dst);
  fields.tm_wday = -1;  // mktime sets it on success; -1 is also a valid result
  const std::time_t built = std::mktime(&fields);
  // A moment mktime cannot represent, or one outside the 32-bit range, has no
  // TimeValue: it becomes 0, "no value".
  TimeValue result = 0;
  if (fields.tm_wday >= 0 && built >= std::numeric_limits<TimeValue>::min() &&
      built <= std::numeric_limits<TimeValue>::max()) {
    result = static_cast<TimeValue>(built);
    // mktime leaves the result's own local fields behind: what SplitLocal
    // would give for it.
    local_time_memo::KeepSplit(result, ToLocalFields(fields));
  }
  local_time_memo::KeepBuild(key, result);
  return result;
}

}  // namespace tavir
