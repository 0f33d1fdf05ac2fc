// The RRULE value of a repeating appointment, read from the host appointment.
#pragma once

#include <string>

#include "host/DesktopInterfaces.h"

namespace tavir {

enum class RepeatRuleForm {
  // vCalendar 1.0's own grammar, which its readers (Outlook among them)
  // understand: D2 #0, W2 MO WE #0, MP1 2+ TU #0 (1- the last), MD1 14 #0,
  // YM1 11 #0; with an end, the end of the last local day in UTC in place of
  // #0 (without either, a vCalendar reader repeats only twice). A weekly rule
  // without weekdays names the start's weekday.
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

// The appointment's rule in the form's grammar (iCalendar: FREQ, INTERVAL,
// UNTIL, BYDAY, BYMONTHDAY, WKST); empty
// when the host reports a repeat type outside 1 to 5. Throws ComError when a
// host call fails.
std::string BuildRepeatRule(IDesktopAppointment* appointment, RepeatRuleForm form);

}  // namespace tavir
