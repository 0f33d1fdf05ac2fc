// Local calendar time: splitting a TimeValue into local fields and building
// one back, with the C library's time zone (tests pin TZ).
#pragma once

#include <cstdint>
#include <vector>

namespace tavir {

// Seconds since 1970-01-01 00:00:00 UTC, signed 32-bit; 0 means no value.
using TimeValue = std::int32_t;

constexpr TimeValue kSecondsPerDay = 86400;

struct LocalFields {
  int year = 0;       // e.g. 2005
  int month = 0;      // 1..12
  int day = 0;        // 1..31
  int hour = 0;       // 0..23
  int minute = 0;     // 0..59
  int second = 0;     // 0..59
  int dayOfWeek = 0;  // 0 Sunday .. 6 Saturday
};

enum class DaylightSaving { ByZoneRules, ForcedOff };

LocalFields SplitLocal(TimeValue t);
// Normalises out-of-range fields as mktime does (day 32 rolls over).
TimeValue BuildLocal(int year, int month, int day, int hour, int minute, int second,
                     DaylightSaving dst = DaylightSaving::ByZoneRules);
TimeValue LocalMidnight(TimeValue t);
TimeValue LocalMidnight(int year, int month, int day);

// The local date of each moment as a day number (days since 1970-01-01), as
// SplitLocal gives it: for the long runs of days an occurrence walk hands out.
std::vector<std::int32_t> LocalDayNumbers(const std::vector<TimeValue>& moments);

}  // namespace tavir
