// The RRULE value of a repeating appointment, read from the host appointment.
#pragma once

#include <string>

#include "host/DesktopInterfaces.h"

namespace tavir {

enum class RepeatRuleForm {
  // UNTIL is the last day's local date followed by T000000Z; a weekly rule
  // with no weekdays ends in an empty BYDAY=.
  VCalendar,
  // iCalendar, for an event whose DTSTART is a floating local date-time:
  // UNTIL is the end of the last local day in the same form, so the last
  // day's occurrence stays in. Weekly rules carry WKST=SU (the Datebook counts
  // every n-th week from Sunday); an empty weekday set writes no BYDAY, which
  // means DTSTART's weekday, as in the Datebook.
  ICalendarTimed,
  // iCalendar, for an event whose DTSTART is a DATE: UNTIL is a DATE too.
  ICalendarUntimed,
};

// FREQ, INTERVAL, UNTIL, BYDAY and BYMONTHDAY of the appointment's rule; empty
// when the host reports a repeat type outside 1 to 5. Throws ComError when a
// host call fails.
std::string BuildRepeatRule(IDesktopAppointment* appointment, RepeatRuleForm form);

}  // namespace tavir
