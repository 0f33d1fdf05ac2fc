// The main dialog's text filter, applied by export, count, import, archive
// and remove.
#pragma once

#include <string>

#include "host/DesktopInterfaces.h"

namespace tavir {

class Options;

enum FilterType : int {
  TextStartsWith = 0,
  TextEndsWith = 1,
  TextContains = 2,
  NoteContains = 3,
  TextDoesNotContain = 4,
  NoteDoesNotContain = 5,
  CategoryIs = 6,
  LocationIs = 7,
};

bool MatchesFilter(const Options& options, const std::string& text, const std::string& note,
                   const std::string& category, const std::string& location);
// The filter on a host appointment: its description, note, category and
// location (the last two empty where the host has no IDesktopAppointment2).
bool AppointmentPassesFilter(const Options& options, IDesktopAppointment* appointment);

}  // namespace tavir
