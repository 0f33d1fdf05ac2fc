// Dates on the command line: the locale's short date or YYYY-MM-DD.
#pragma once

#include <optional>
#include <string>

#include "platform/LocalTime.h"

namespace tavir {

// Local midnight of the day; none when the text is not a date from 1970 to 2031.
std::optional<TimeValue> ParseDateArgument(const std::string& text);

}  // namespace tavir
