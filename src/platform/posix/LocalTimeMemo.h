// What the C library's local time conversions gave, kept per thread (portable
// build). mktime reads TZ and works out the zone's rules for the year on every
// call, localtime_r the rules too; an export converts the same moments and
// days over and over, thousands of times for one repeating appointment.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/LocalTime.h"

namespace tavir::local_time_memo {

struct BuildKey {
  int year, month, day, hour, minute, second;
  DaylightSaving dst;
  bool operator==(const BuildKey&) const = default;
};

// Drops everything kept when TZ no longer reads as it did when it was kept,
// and then lets the C library read the new zone (tzset), so a conversion
// never answers for a zone other than the one TZ names. Call before each
// look-up.
void FollowZone();

std::optional<LocalFields> FindSplit(TimeValue t);
void KeepSplit(TimeValue t, const LocalFields& fields);
std::optional<TimeValue> FindBuild(const BuildKey& key);
void KeepBuild(const BuildKey& key, TimeValue built);

}  // namespace tavir::local_time_memo
