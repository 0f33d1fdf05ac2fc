// Exception date tokens of an imported repeating appointment.
#include "host/ExceptionDates.h"

#include "platform/Locale.h"

namespace tavir {

std::string TakeExceptionToken(std::string& rest, std::optional<char> separatorChar) {
  const std::size_t begin = !rest.empty() && rest.front() == '"' ? 1 : 0;
  const std::size_t end = separatorChar ? rest.find(*separatorChar, begin) : std::string::npos;
  std::string token;
  if (end == std::string::npos) {
    token = rest.substr(begin);
    rest.clear();
  } else {
    token = rest.substr(begin, end - begin);
    rest.erase(0, end + 1);
  }
  return token;
}

std::optional<int> ExceptionYear(int parsedYear) {
  int year = parsedYear;
  if (year < 100) year += 1900;
  if (year < 1970) year += 100;
  if (year > 2031) return std::nullopt;
  return year;
}

std::optional<TimeValue> ExceptionDay(std::string_view token) {
  const std::optional<ParsedDateTime> parsed = ParseDateTime(token);
  if (!parsed) return std::nullopt;
  const std::optional<int> year = ExceptionYear(parsed->year);
  if (!year) return std::nullopt;
  return LocalMidnight(*year, parsed->month, parsed->day);
}

}  // namespace tavir
