// Wall-clock seconds to and from TimeValues of the current zone.
#include "desktop/store/WallClock.h"

#include "desktop/CalendarDays.h"

namespace tavir {
namespace {

bool IsMarker(std::int64_t value) {
  return value == 0 || value == -1;
}

}  // namespace

WallClockSeconds ToWallClock(TimeValue instant) {
  if (IsMarker(instant))
    return instant;
  const LocalFields local = SplitLocal(instant);
  return WallClockSeconds{DayFromCivil(local.year, local.month, local.day)} * kSecondsPerDay +
         local.hour * 3600 + local.minute * 60 + local.second;
}

TimeValue FromWallClock(WallClockSeconds wallClock) {
  if (IsMarker(wallClock))
    return static_cast<TimeValue>(wallClock);
  WallClockSeconds day = wallClock / kSecondsPerDay;
  if (wallClock % kSecondsPerDay < 0)
    --day;
  const auto secondOfDay = static_cast<int>(wallClock - day * kSecondsPerDay);
  const CivilDate date = CivilFromDay(static_cast<DayNumber>(day));
  return BuildLocal(date.year, date.month, date.day, secondOfDay / 3600, secondOfDay / 60 % 60,
                    secondOfDay % 60);
}

}  // namespace tavir
