// The occurrence search one appointment object answers: FindFirstOccurrence
// and FindNextOccurrence in local times, worked in day numbers. A walk hands
// back the cursor it was given, so the days it stands for are kept, not
// turned from local times again on every step.
#pragma once

#include <optional>
#include <vector>

#include "desktop/AppointmentData.h"
#include "desktop/Occurrences.h"

namespace tavir {

class OccurrenceSearch {
 public:
  // The first occurrence from the start of from's day to the end of to's
  // day: its local midnight, or none.
  std::optional<TimeValue> First(const AppointmentData& appointment, TimeValue from, TimeValue to);

  // The first occurrence from the cursor's day; moves the cursor to the day
  // after it (the last representable moment when that lies beyond a
  // TimeValue), leaves it when there is none.
  std::optional<TimeValue> Next(const AppointmentData& appointment, TimeValue& cursor,
                                TimeValue to);

 private:
  // The appointment's days, taken again whenever what they came from changed.
  const AppointmentDays& DaysOf(const AppointmentData& appointment);
  void StartWalk();
  DayNumber DayOfLimit(TimeValue to);

  bool known_ = false;
  TimeValue start_ = 0;
  RepeatRule repeat_;
  std::vector<TimeValue> exceptions_;
  AppointmentDays days_;

  // The last limit and cursor handed in or out, and their days.
  std::optional<TimeValue> to_;
  DayNumber toDay_ = 0;
  std::optional<TimeValue> cursor_;
  DayNumber cursorDay_ = 0;
};

}  // namespace tavir
