// The date-time text parser of the portable build. It reads texts the way the
// Windows parser (VarDateFromStr) does: up to three date numbers or month
// names in the locale's order (or another order when that one gives no valid
// date), day names passed over, a time of hours, minutes and optional seconds
// with AM/PM, and a two-digit year window of 1930..2029.
#pragma once

#include <optional>
#include <string_view>

#include "platform/Locale.h"
#include "platform/posix/LocaleTables.h"

namespace tavir {

// `currentYear` completes a date given as day and month only.
std::optional<ParsedDateTime> ParseDateTimeText(std::string_view text,
                                                const locale_tables::LocaleTable& locale,
                                                int currentYear);

}  // namespace tavir
