// The kinds of text filter, by the number stored as the option filtertype.
#pragma once

namespace tavir {

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

// The highest stored number that names a filter.
inline constexpr int kLastFilterType = LocationIs;

}  // namespace tavir
