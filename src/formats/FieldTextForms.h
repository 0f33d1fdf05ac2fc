// The texts that the text formats write for typed values: dates and times in
// the user's regional settings, durations in hours and whole numbers with
// fixed forms that do not depend on the locale.
#pragma once

#include <cstdint>
#include <string>

#include "platform/LocalTime.h"

namespace tavir {

// The local time of day without seconds; with withDate, the short date, one
// blank and the time.
std::string TimeFieldText(TimeValue value, bool withDate);
// Hours in the form "%f" with a point: 5400 seconds give "1.500000".
std::string SpanFieldText(std::int32_t seconds);
// "%d".
std::string IntFieldText(std::int32_t value);

}  // namespace tavir
