// The main dialog's text filter, applied by export, count, import, archive
// and remove.
#pragma once

#include <string>

#include "host/DesktopInterfaces.h"
#include "model/FilterType.h"

namespace tavir {

class Options;

bool MatchesFilter(const Options& options, const std::string& text, const std::string& note,
                   const std::string& category, const std::string& location);
// The filter on a host appointment: its description, note, category and
// location (the last two empty where the host has no IDesktopAppointment2).
bool AppointmentPassesFilter(const Options& options, IDesktopAppointment* appointment);

}  // namespace tavir
