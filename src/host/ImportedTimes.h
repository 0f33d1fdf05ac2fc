// The moments a timed imported record gets in the Datebook: its date at the
// start's hour and minute, and the end's hour and minute on that day or, for
// an appointment over midnight, the next one.
#pragma once

#include "model/AppointmentRecord.h"

namespace tavir {

struct StartAndEnd {
  TimeValue start;
  TimeValue end;
};

// A start in the hour skipped when daylight saving begins is moved forward
// by the gap and keeps the appointment's length (2:45-3:15 becomes
// 3:45-4:15); an end alone in the gap moves forward as well.
StartAndEnd ImportedStartAndEnd(const AppointmentRecord& record);

}  // namespace tavir
