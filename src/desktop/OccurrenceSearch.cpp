// A walk over one appointment's occurrences in day numbers, local times
// converted only where they enter or leave.
#include "desktop/OccurrenceSearch.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tavir {
namespace {

constexpr DayNumber kLastRepresentableDay = DayFromCivil(2038, 1, 18);

// Local midnights by day, kept per thread while TZ reads the same. A walk
// asks for two a step, and the walks over many appointments share their
// days; TZ is looked at where a walk starts, not on every step.
class MidnightTable {
 public:
  void FollowZone() {
    const char* zone = std::getenv("TZ");
    if (known_ && (zone ? zone_ && *zone_ == zone : !zone_))
      return;
    zone_ = zone ? std::optional<std::string>(zone) : std::nullopt;
    known_ = true;
    midnights_.assign(midnights_.size(), std::nullopt);
  }

  TimeValue MidnightOf(DayNumber day) {
    if (day < 0 || day > kLastRepresentableDay)
      return MidnightOfDay(day);
    if (midnights_.empty())
      midnights_.resize(kLastRepresentableDay + 1);
    std::optional<TimeValue>& midnight = midnights_[static_cast<std::size_t>(day)];
    if (!midnight)
      midnight = MidnightOfDay(day);
    return *midnight;
  }

 private:
  bool known_ = false;
  std::optional<std::string> zone_;
  std::vector<std::optional<TimeValue>> midnights_;
};

MidnightTable& ThisThreadsMidnights() {
  thread_local MidnightTable table;
  return table;
}

}  // namespace

const AppointmentDays& OccurrenceSearch::DaysOf(const AppointmentData& appointment) {
  // An exception added between two steps must end the walk there, so the
  // exceptions are compared, not only counted.
  const bool same = known_ && start_ == appointment.start && repeat_ == appointment.repeat &&
                    std::equal(exceptions_.begin(), exceptions_.end(),
                               appointment.exceptions.begin(), appointment.exceptions.end());
  if (!same) {
    days_ = DaysOfAppointment(appointment);
    start_ = appointment.start;
    repeat_ = appointment.repeat;
    exceptions_.assign(appointment.exceptions.begin(), appointment.exceptions.end());
    known_ = true;
  }
  return days_;
}

void OccurrenceSearch::StartWalk() {
  // The zone may have changed since the last walk: every day is taken again.
  ThisThreadsMidnights().FollowZone();
  known_ = false;
  to_.reset();
  cursor_.reset();
}

DayNumber OccurrenceSearch::DayOfLimit(TimeValue to) {
  if (to_ != to) {
    to_ = to;
    toDay_ = LocalDayOf(to);
  }
  return toDay_;
}

std::optional<TimeValue> OccurrenceSearch::First(const AppointmentData& appointment, TimeValue from,
                                                 TimeValue to) {
  const std::optional<DayNumber> day =
      FirstOccurrenceDay(appointment, DaysOf(appointment), LocalDayOf(from), DayOfLimit(to));
  if (!day)
    return std::nullopt;
  return ThisThreadsMidnights().MidnightOf(*day);
}

std::optional<TimeValue> OccurrenceSearch::Next(const AppointmentData& appointment,
                                                TimeValue& cursor, TimeValue to) {
  MidnightTable& midnights = ThisThreadsMidnights();
  // A cursor this walk did not hand out starts a walk of its own.
  if (cursor_ != cursor)
    StartWalk();
  const DayNumber from = cursor_ == cursor ? cursorDay_ : LocalDayOf(cursor);
  const std::optional<DayNumber> day =
      FirstOccurrenceDay(appointment, DaysOf(appointment), from, DayOfLimit(to));
  if (!day)
    return std::nullopt;
  const TimeValue midnight = midnights.MidnightOf(*day);
  if (*day < kLastRepresentableDay) {
    cursor = midnights.MidnightOf(*day + 1);
    cursor_ = cursor;
    cursorDay_ = *day + 1;
  } else {
    // Its day depends on the zone; the next step works it out.
    cursor = std::numeric_limits<TimeValue>::max();
    cursor_.reset();
  }
  return midnight;
}

}  // namespace tavir
