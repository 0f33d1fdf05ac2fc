// The occurrence search of the stand-alone datebook: on which local days an
// appointment occurs. It steps by the rule (days, weeks, months, years), never
// day by day, so a rule over sixty years costs a handful of steps.
#pragma once

#include <optional>
#include <vector>

#include "desktop/AppointmentData.h"
#include "desktop/CalendarDays.h"

namespace tavir {

// The local day of a moment, and the local midnight of a day.
DayNumber LocalDayOf(TimeValue t);
TimeValue MidnightOfDay(DayNumber day);

// The last day a rule without end date reaches: 2031-12-31.
constexpr DayNumber kNoEndLastDay = DayFromCivil(2031, 12, 31);

// The first day o with from <= o <= limit on which the appointment occurs:
// its start day and, when it repeats, every day its rule yields after it up to
// the repeat end day (inclusive), minus the exception days.
std::optional<DayNumber> FirstOccurrenceDay(const AppointmentData& appointment, DayNumber from,
                                            DayNumber limit);

// The appointment's own days, turned from local times once so that a walk
// over its occurrences counts in days alone.
struct AppointmentDays {
  DayNumber start = 0;
  DayNumber ruleEnd = kNoEndLastDay;  // the repeat end day, when it repeats
  std::vector<DayNumber> exceptions;  // sorted
};
AppointmentDays DaysOfAppointment(const AppointmentData& appointment);

// FirstOccurrenceDay on the days the appointment had when `days` was taken.
std::optional<DayNumber> FirstOccurrenceDay(const AppointmentData& appointment,
                                            const AppointmentDays& days, DayNumber from,
                                            DayNumber limit);

// The week of the month (1..5) of a day: what a monthly-by-day rule repeats
// when it is given no week index; 5 always stands for the last such weekday.
int WeekIndexOfDay(DayNumber day);

}  // namespace tavir
