// Date and time texts of calendar files, and the day arithmetic behind them.
#pragma once

#include <string>

#include "platform/LocalTime.h"

namespace tavir {

// UTC "%Y%m%dT%H%M00Z": seconds are always written as 00.
std::string FormatUtcDateTime(TimeValue value);
// The local date, "%Y%m%d".
std::string FormatLocalDate(TimeValue value);
// The local date and time without a zone ("floating"), "%Y%m%dT%H%M00".
std::string FormatFloatingDateTime(TimeValue value);

// The same local time of day on the following local day; counts calendar
// days, so a day with a daylight-saving change does not shift the result.
TimeValue AddLocalDay(TimeValue value);

}  // namespace tavir
