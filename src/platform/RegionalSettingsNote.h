// How the field messages name the place where the user sets the date and
// time forms they expect. Windows has its Regional Settings, and the program's
// resource texts say so; elsewhere the forms come from the locale.
#pragma once

#include <string_view>

namespace tavir {

// The resource texts' own ending, with its parentheses.
inline constexpr std::string_view kWindowsRegionalSettingsNote = "(Windows Regional Settings)";

// The ending this platform's messages carry in its place.
std::string_view RegionalSettingsNote();

}  // namespace tavir
