// Wall-clock times of an imported record as Datebook moments, daylight-saving
// gaps included.
#include "host/ImportedTimes.h"

namespace tavir {
namespace {

constexpr int kMinutesPerDay = 24 * 60;

// The moment of a wall-clock time on a day. A time that does not exist (in
// the skipped hour) is what the clock shows that long after midnight, which
// is the time moved forward by the gap whatever the C runtime makes of it.
TimeValue WallClockMoment(const LocalFields& day, int nextDay, int hour, int minute, bool& inGap) {
  const TimeValue built = BuildLocal(day.year, day.month, day.day + nextDay, hour, minute, 0);
  const LocalFields shown = SplitLocal(built);
  inGap = shown.hour != hour || shown.minute != minute;
  if (!inGap)
    return built;
  return BuildLocal(day.year, day.month, day.day + nextDay, 0, 0, 0) + (hour * 60 + minute) * 60;
}

}  // namespace

StartAndEnd ImportedStartAndEnd(const AppointmentRecord& record) {
  const LocalFields day = SplitLocal(record.date);
  const LocalFields start = SplitLocal(record.startTime);
  const LocalFields end = SplitLocal(record.endTime);
  const int startMinute = start.hour * 60 + start.minute;
  const int endMinute = end.hour * 60 + end.minute;
  // The next calendar day, not date + 86400 seconds: on the day daylight
  // saving ends, that would still be the same day.
  const int nextDay = endMinute < startMinute ? 1 : 0;
  bool inGap = false;
  const TimeValue startMoment = WallClockMoment(day, 0, start.hour, start.minute, inGap);
  if (inGap) {
    return {startMoment, startMoment + (endMinute - startMinute + nextDay * kMinutesPerDay) * 60};
  }
  return {startMoment, WallClockMoment(day, nextDay, end.hour, end.minute, inGap)};
}

}  // namespace tavir
