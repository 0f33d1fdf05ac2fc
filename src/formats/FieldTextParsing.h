// Typed values from the field texts of the text formats.
#pragma once

#include <cstdint>
#include <string_view>

#include "formats/FileResults.h"
#include "platform/LocalTime.h"

namespace tavir {

// The years a file may hold: two-digit years are of the 1900s, years before
// 1970 are moved up a century, and years after 2031 are refused.
inline constexpr int kFirstFileYear = 1970;
inline constexpr int kLastFileYear = 2031;
// The file year of a parsed year, or -1 when it lies after kLastFileYear.
int FileYear(int parsedYear);
// Local midnight of a parsed date after the year rules above: invalid
// outside 1970-01-02 .. 2031-12-31, the days a datebook query can see.
ReadResult FileDate(int parsedYear, int month, int day, TimeValue& value);

// Local midnight of the day of a regional date text (a time may follow).
ReadResult ParseDateField(std::string_view text, TimeValue& value);
// A time of day as a TimeValue whose local hour and minute are the ones
// given. It lies on a fixed day in January, when no zone changes its clocks:
// on today's date a time in the hour skipped for daylight saving would come
// back an hour later, and lengths across it would shrink.
TimeValue TimeOfDay(int hour, int minute);
// The hour and minute of a regional time text (a date is ignored).
ReadResult ParseTimeField(std::string_view text, TimeValue& value);
// A decimal number of hours with a point, as strtod reads it in the C locale;
// text that does not start with a number gives 0. Values whose seconds do not
// fit 32 bits (and infinities, NaN) are invalid.
ReadResult ParseSpanField(std::string_view text, std::int32_t& seconds);
// The leading decimal integer as strtol reads it (0 without digits), held to
// the 32-bit range; always valid.
ReadResult ParseIntField(std::string_view text, std::int32_t& value);

}  // namespace tavir
