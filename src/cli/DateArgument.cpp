// Command-line dates: ISO form first, then the regional date parser.
#include "cli/DateArgument.h"

#include <cstdio>

#include "platform/Locale.h"

namespace tavir {

std::optional<TimeValue> ParseDateArgument(const std::string& text) {
  int year = 0, month = 0, day = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &tail) != 3) {
    const std::optional<ParsedDateTime> parsed = ParseDateTime(text);
    if (!parsed) return std::nullopt;
    year = parsed->year;
    month = parsed->month;
    day = parsed->day;
  }
  if (year < 1970 || year > 2031 || month < 1 || month > 12 || day < 1 || day > 31)
    return std::nullopt;
  const TimeValue midnight = LocalMidnight(year, month, day);
  // 31 April would roll over into May: not a date.
  if (SplitLocal(midnight).day != day) return std::nullopt;
  return midnight;
}

}  // namespace tavir
