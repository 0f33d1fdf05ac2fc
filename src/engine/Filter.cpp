// The text filter: case-insensitive through the locale's lower-casing, no trimming.
#include "engine/Filter.h"

#include "host/HostCalls.h"
#include "model/Options.h"
#include "platform/Locale.h"

namespace tavir {

namespace {

bool Contains(const std::string& value, const std::string& part) {
  return value.find(part) != std::string::npos;
}

}  // namespace

bool MatchesFilter(const Options& options, const std::string& text, const std::string& note,
                   const std::string& category, const std::string& location) {
  if (!options.dofilter || options.filtertext.empty()) return true;
  const std::string filter = LowerCase(options.filtertext);
  switch (options.filtertype) {
    case TextStartsWith: {
      const std::string value = LowerCase(text);
      return value.size() >= filter.size() && value.compare(0, filter.size(), filter) == 0;
    }
    case TextEndsWith: {
      const std::string value = LowerCase(text);
      return value.size() >= filter.size() &&
             value.compare(value.size() - filter.size(), filter.size(), filter) == 0;
    }
    case TextContains:
      return Contains(LowerCase(text), filter);
    case NoteContains:
      return Contains(LowerCase(note), filter);
    case TextDoesNotContain:
      return !Contains(LowerCase(text), filter);
    case NoteDoesNotContain:
      return !Contains(LowerCase(note), filter);
    case CategoryIs:
      return LowerCase(category) == filter;
    case LocationIs:
      return LowerCase(location) == filter;
    default:
      return false;
  }
}

bool AppointmentPassesFilter(const Options& options, IDesktopAppointment* appointment) {
  return MatchesFilter(options, ReadDescription(appointment), ReadNote(appointment),
                       ReadCategory(appointment), ReadLocation(appointment));
}

}  // namespace tavir
