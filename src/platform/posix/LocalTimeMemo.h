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

// What is known of one local day (days since 1970-01-01): its date, its
// midnight as mktime built it, whether that is exactly 00:00:00 of the day (a
// day whose midnight the clocks skip starts later), and whether the day and
// both its neighbours are 24 hours long. Zeroed: nothing known yet.
struct DayFacts {
  static constexpr std::uint8_t kMidnightKnown = 1, kExact = 2, kRegularKnown = 4, kRegular = 8;
  TimeValue midnight = 0;
  std::int16_t year = 0;
  std::uint8_t month = 0;
  std::uint8_t day = 0;
  std::uint8_t flags = 0;
};
constexpr int kTableDays = 24856;  // 1970-01-01 .. 2038-01-19
// The days 0 .. kTableDays - 1, for this thread and the zone TZ names now.
DayFacts* DayTable();

std::optional<LocalFields> FindSplit(TimeValue t);
void KeepSplit(TimeValue t, const LocalFields& fields);
std::optional<TimeValue> FindBuild(const BuildKey& key);
void KeepBuild(const BuildKey& key, TimeValue built);

}  // namespace tavir::local_time_memo
