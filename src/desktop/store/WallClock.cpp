// Wall-clock seconds to and from TimeValues of the current zone.
#include "desktop/store/WallClock.h"

#include "desktop/CalendarDays.h"

namespace tavir {
namespace {

bool IsMarker(std::int64_t value) {
  return value == 0 || value == -1;
}

// The days a 32-bit TimeValue reaches, with one to spare on either side.
constexpr std::int64_t kFirstDay = -24857;
constexpr std::int64_t kLastDay = 24856;
constexpr TimeValue kNotTaken = 1;            // no midnight is one second after 1970 began
enum : std::uint8_t { kUnknown, kYes, kNo };  // whether a day is regular

std::int64_t DayOfWallClock(WallClockSeconds wallClock) {
  std::int64_t day = wallClock / kSecondsPerDay;
  if (wallClock % kSecondsPerDay < 0)
    --day;
  return day;
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
  const WallClockSeconds day = DayOfWallClock(wallClock);
  const auto secondOfDay = static_cast<int>(wallClock - day * kSecondsPerDay);
  const CivilDate date = CivilFromDay(static_cast<DayNumber>(day));
  return BuildLocal(date.year, date.month, date.day, secondOfDay / 3600, secondOfDay / 60 % 60,
                    secondOfDay % 60);
}

WallClockReader::WallClockReader()
    : midnights_(static_cast<std::size_t>(kLastDay - kFirstDay), kNotTaken),
      regular_(midnights_.size(), kUnknown) {}

TimeValue WallClockReader::Midnight(std::int64_t day) {
  if (day <= kFirstDay || day >= kLastDay)
    return 0;
  TimeValue& midnight = midnights_[static_cast<std::size_t>(day - kFirstDay)];
  if (midnight == kNotTaken)
    midnight = FromWallClock(day * kSecondsPerDay);
  return midnight;
}

bool WallClockReader::Regular(std::int64_t day) {
  if (day <= kFirstDay || day >= kLastDay)
    return false;
  std::uint8_t& known = regular_[static_cast<std::size_t>(day - kFirstDay)];
  if (known == kUnknown) {
    const TimeValue before = Midnight(day - 1), midnight = Midnight(day), after = Midnight(day + 1);
    // 0 stands for a marker or a moment without a TimeValue: never regular.
    known = before != 0 && midnight != 0 && after != 0 &&
                    std::int64_t{midnight} - before == kSecondsPerDay &&
                    std::int64_t{after} - midnight == kSecondsPerDay
                ? kYes
                : kNo;
  }
  return known == kYes;
}

TimeValue WallClockReader::Time(WallClockSeconds wallClock) {
  const std::int64_t day = DayOfWallClock(wallClock);
  if (!IsMarker(wallClock) && Regular(day)) {
    return static_cast<TimeValue>(midnights_[static_cast<std::size_t>(day - kFirstDay)] +
                                  (wallClock - day * kSecondsPerDay));
  }
  return FromWallClock(wallClock);
}

DayNumber WallClockReader::DayOf(WallClockSeconds wallClock) {
  const std::int64_t day = DayOfWallClock(wallClock);
  if (Regular(day))
    return static_cast<DayNumber>(day);
  const LocalFields local = SplitLocal(FromWallClock(wallClock));
  return DayFromCivil(local.year, local.month, local.day);
}

}  // namespace tavir
