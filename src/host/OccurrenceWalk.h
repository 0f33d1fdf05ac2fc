// The expansion loop shared by export, count, archive, remove and the
// recovery of exception days: after FindFirstOccurrence, take each day
// FindNextOccurrence hands out while the call succeeds and finds one. A day
// that is not after the one before ends the walk: a host that gives the same
// day again, or wraps around to an earlier one, would otherwise keep the loop
// (and the file it writes) growing for ever.
#pragma once

#include "host/DesktopInterfaces.h"
#include "platform/ComError.h"

namespace tavir {

struct NextOccurrence {
  HRESULT result = S_OK;
  bool found = false;
  TimeValue day = 0;
};

// next() asks for the next occurrence; onDay(day) handles it and returns
// false to stop.
template <typename Next, typename OnDay>
void WalkDays(Next next, OnDay onDay) {
  TimeValue previous = 0;
  for (;;) {
    const NextOccurrence occurrence = next();
    if (occurrence.result != S_OK || !occurrence.found || occurrence.day <= previous)
      return;
    previous = occurrence.day;
    if (!onDay(occurrence.day))
      return;
  }
}

enum class HostFailure { EndsTheWalk, IsThrown };

// Walks the occurrences up to `to` from the cursor FindFirstOccurrence gave.
template <typename OnDay>
void WalkOccurrences(IDesktopAppointment* appointment, TimeValue cursor, TimeValue to,
                     HostFailure failure, OnDay onDay) {
  WalkDays(
      [&] {
        NextOccurrence next;
        HostLong found = 0;
        next.result = appointment->FindNextOccurrence(&cursor, to, &next.day, &found);
        if (failure == HostFailure::IsThrown)
          ThrowIfFailed(next.result, "IDesktopAppointment");
        next.found = found != 0;
        return next;
      },
      onDay);
}

}  // namespace tavir
