// What libical reads from an iCalendar file, in the lines check_ics.py prints
// for python-icalendar, so that both readers are compared with one expectation.
#pragma once

#include <string>

#include "platform/LocalTime.h"

namespace tavir::test_support {

// The blocks of lines of every VEVENT (see tests/tools/check_ics.py), with the
// occurrences from local midnight of firstDay to 23:59:59 of lastDay.
// Throws std::runtime_error when libical cannot parse the text or marks an
// error in it.
std::string ReadBackWithLibical(const std::string& ics, TimeValue firstDay, TimeValue lastDay);

// A text as the read-back lines write it: backslash \\, LF \n, CR \r.
std::string EscapeReadBackText(const std::string& text);

}  // namespace tavir::test_support
