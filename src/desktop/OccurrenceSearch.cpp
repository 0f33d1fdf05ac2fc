// A walk over one appointment's occurrences in day numbers, local times
// converted only where they enter or leave.
#include "desktop/OccurrenceSearch.h"

#include <algorithm>
#include <limits>

namespace tavir {
namespace {

constexpr DayNumber kLastRepresentableDay = DayFromCivil(2038, 1, 18);

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

DayNumber OccurrenceSearch::DayOfLimit(TimeValue to) {
  if (to_ != to) {
    to_ = to;
    toDay_ = LocalDayOf(to);
  }
  return toDay_;
}

TimeValue OccurrenceSearch::MidnightOf(DayNumber day) {
  if (midnightDay_ != day) {
    midnightDay_ = day;
    midnight_ = MidnightOfDay(day);
  }
  return midnight_;
}

std::optional<TimeValue> OccurrenceSearch::First(const AppointmentData& appointment, TimeValue from,
                                                 TimeValue to) {
  const std::optional<DayNumber> day =
      FirstOccurrenceDay(appointment, DaysOf(appointment), LocalDayOf(from), DayOfLimit(to));
  if (!day)
    return std::nullopt;
  return MidnightOf(*day);
}

std::optional<TimeValue> OccurrenceSearch::Next(const AppointmentData& appointment,
                                                TimeValue& cursor, TimeValue to) {
  const DayNumber from = cursor_ == cursor ? cursorDay_ : LocalDayOf(cursor);
  const std::optional<DayNumber> day =
      FirstOccurrenceDay(appointment, DaysOf(appointment), from, DayOfLimit(to));
  if (!day)
    return std::nullopt;
  const TimeValue midnight = MidnightOf(*day);
  if (*day < kLastRepresentableDay) {
    cursor = MidnightOf(*day + 1);
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
