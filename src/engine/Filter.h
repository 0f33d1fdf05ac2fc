// The main dialog's text filter, applied by export, count, import, archive
// and remove.
#pragma once

#include <string>

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

}  // namespace tavir
