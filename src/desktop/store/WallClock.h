// The datebook file keeps wall-clock dates and times, as a Palm datebook
// does: a local date and time of day counted as seconds from 1970-01-01 00:00
// with no zone. The datebook in memory works in TimeValues of the current
// zone; these two functions cross between the two when a file is read or
// written, so an appointment stays at its date and time when the zone changes.
#pragma once

#include <cstdint>
#include <vector>

#include "desktop/CalendarDays.h"
#include "platform/LocalTime.h"

namespace tavir {

using WallClockSeconds = std::int64_t;

// 0 and -1 are the host's "invalid time" markers and pass through unchanged.
WallClockSeconds ToWallClock(TimeValue instant);
// A wall-clock time that does not exist in the current zone (the hour skipped
// when daylight saving starts) becomes the moment as far after the gap.
TimeValue FromWallClock(WallClockSeconds wallClock);

// FromWallClock for the many times of one file read, in the zone as it is
// while they are read: each day's midnight is taken once, and a time of a day
// whose midnights lie 24 hours apart on both sides (zones do not change twice
// within one day) is that midnight plus its seconds. Other days ask
// FromWallClock.
class WallClockReader {
 public:
  WallClockReader();
  TimeValue Time(WallClockSeconds wallClock);
  // The local day of Time(wallClock), for a time that is not a marker.
  DayNumber DayOf(WallClockSeconds wallClock);

 private:
  // The midnight of a day, 0 when it cannot serve (a marker, out of range).
  TimeValue Midnight(std::int64_t day);
  bool Regular(std::int64_t day);

  // By day, from the first day a TimeValue reaches.
  std::vector<TimeValue> midnights_;   // 1 = not yet taken
  std::vector<std::uint8_t> regular_;  // whether Time may add seconds to the midnight
};

}  // namespace tavir
