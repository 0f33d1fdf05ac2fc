// The exception days of a repeating host appointment. The object model gives
// only their number (get_ExceptionCount); the days themselves are the days
// the rule yields that the host's occurrence search skips.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/DesktopInterfaces.h"
#include "platform/LocalTime.h"

namespace tavir {

class AppointmentRecord;

// Local midnights of the exception days, in order: empty when the
// appointment does not repeat or has no exceptions (one host call then);
// none when the days found are not exactly get_ExceptionCount many, so that
// nothing uncertain is ever written. Walks the occurrences only for an
// appointment with exceptions. Host failures throw ComError.
std::optional<std::vector<TimeValue>> RecoverExceptionDays(IDesktopAppointment* appointment);

// The days as the "Exceptions" column carries them: short dates joined by the
// separator, as the import splits them again; empty when the import could
// not split them (no separator, or its first character inside a date).
std::string FormatExceptionDays(const std::vector<TimeValue>& days, const std::string& separator);

// Fills the record's exceptions text for the full format's "Exceptions"
// column, with the options' exception date separator; leaves it empty when
// the days cannot be recovered.
void ReadExceptionText(AppointmentRecord& record, IDesktopAppointment* appointment);

}  // namespace tavir
