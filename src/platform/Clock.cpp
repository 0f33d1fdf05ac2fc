// The current time: the system clock, or TAVIR_NOW (a local date-time
// YYYY-MM-DDTHH:MM:SS) when it is set, so that runs can be reproduced.
#include "platform/Clock.h"

#include <cstdlib>
#include <ctime>
#include <string_view>

#include "platform/ConfigurationError.h"

namespace tavir {
namespace {

// Reads `count` digits at `text[position]`; false when any is not a digit.
bool ReadDigits(std::string_view text, size_t position, size_t count, int& value) {
  value = 0;
  for (size_t i = position; i < position + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

TimeValue ParseFixedTime(std::string_view text) {
  const auto fail = [&text]() {
    return ConfigurationError("TAVIR_NOW is \"" + std::string(text) +
                              "\", which is not a local date-time between 1970 and 2037 "
                              "such as 2005-11-10T16:42:17. Correct it or unset it.");
  };
  constexpr std::string_view kPattern = "dddd-dd-ddTdd:dd:dd";
  if (text.size() != kPattern.size()) throw fail();
  for (size_t i = 0; i < kPattern.size(); ++i)
    if (kPattern[i] != 'd' && text[i] != kPattern[i]) throw fail();
  int year, month, day, hour, minute, second;
  if (!ReadDigits(text, 0, 4, year) || !ReadDigits(text, 5, 2, month) ||
      !ReadDigits(text, 8, 2, day) || !ReadDigits(text, 11, 2, hour) ||
      !ReadDigits(text, 14, 2, minute) || !ReadDigits(text, 17, 2, second))
    throw fail();
  if (year < 1970 || year > 2037 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month) || hour > 23 || minute > 59 || second > 59)
    throw fail();
  const TimeValue built = BuildLocal(year, month, day, hour, minute, second);
  if (built == 0) throw fail();
  return built;
}

}  // namespace

TimeValue CurrentTime() {
  const char* fixed = std::getenv("TAVIR_NOW");
  if (fixed != nullptr && *fixed != '\0') return ParseFixedTime(fixed);
  return static_cast<TimeValue>(std::time(nullptr));
}

}  // namespace tavir
