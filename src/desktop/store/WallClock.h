// The datebook file keeps wall-clock dates and times, as a Palm datebook
// does: a local date and time of day counted as seconds from 1970-01-01 00:00
// with no zone. The datebook in memory works in TimeValues of the current
// zone; these two functions cross between the two when a file is read or
// written, so an appointment stays at its date and time when the zone changes.
#pragma once

#include <cstdint>

#include "platform/LocalTime.h"

namespace tavir {

using WallClockSeconds = std::int64_t;

// 0 and -1 are the host's "invalid time" markers and pass through unchanged.
WallClockSeconds ToWallClock(TimeValue instant);
// A wall-clock time that does not exist in the current zone (the hour skipped
// when daylight saving starts) becomes the moment as far after the gap.
TimeValue FromWallClock(WallClockSeconds wallClock);

}  // namespace tavir
