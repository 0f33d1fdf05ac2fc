// Typed reads from field texts: regional dates and times through the
// locale's parser, durations and integers with locale-free conversions.
#include "formats/FieldTextParsing.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "model/TextTrim.h"
#include "platform/Locale.h"

namespace tavir {
namespace {

std::string_view SkipLeadingWhiteSpace(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsWhiteSpaceByte(text[start]))
    ++start;
  return text.substr(start);
}

// The leading optional sign; true for minus.
bool TakeSign(std::string_view& text) {
  if (text.empty() || (text[0] != '+' && text[0] != '-'))
    return false;
  const bool negative = text[0] == '-';
  text.remove_prefix(1);
  return negative;
}

// Only a number whose exponent is negative can be too small to represent.
bool HasNegativeExponent(std::string_view text) {
  const std::size_t e = text.find_first_of("eE");
  return e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-';
}

// A date, a time or both in the user's regional forms, blanks around it
// allowed.
ReadResult ParseRegionalField(std::string_view text, ParsedDateTime& parsed) {
  const std::string trimmed = TrimWhiteSpace(text);
  if (trimmed.empty())
    return ReadResult::Empty;
  const std::optional<ParsedDateTime> found = ParseDateTime(trimmed);
  if (!found)
    return ReadResult::Invalid;
  parsed = *found;
  return ReadResult::Valid;
}

}  // namespace

int FileYear(int parsedYear) {
  int year = parsedYear;
  if (year < 100)
    year += 1900;
  if (year < kFirstFileYear)
    year += 100;
  return year > kLastFileYear ? -1 : year;
}

TimeValue TimeOfDay(int hour, int minute) {
  return BuildLocal(2001, 1, 15, hour, minute, 0);
}

ReadResult FileDate(int parsedYear, int month, int day, TimeValue& value) {
  const int year = FileYear(parsedYear);
  // 1970-01-01 and years the century rule leaves before 1970 (1869 becomes
  // 1969) would be stored where no query finds them.
  if (year < kFirstFileYear || (year == kFirstFileYear && month == 1 && day < 2))
    return ReadResult::Invalid;
  const TimeValue midnight = LocalMidnight(year, month, day);
  if (midnight == 0)
    return ReadResult::Invalid;
  value = midnight;
  return ReadResult::Valid;
}

ReadResult ParseDateField(std::string_view text, TimeValue& value) {
  ParsedDateTime parsed;
  if (const ReadResult result = ParseRegionalField(text, parsed); result != ReadResult::Valid)
    return result;
  return FileDate(parsed.year, parsed.month, parsed.day, value);
}

ReadResult ParseTimeField(std::string_view text, TimeValue& value) {
  ParsedDateTime parsed;
  if (const ReadResult result = ParseRegionalField(text, parsed); result != ReadResult::Valid)
    return result;
  value = TimeOfDay(parsed.hour, parsed.minute);
  return ReadResult::Valid;
}

ReadResult ParseSpanField(std::string_view text, std::int32_t& seconds) {
  const std::string trimmed = TrimWhiteSpace(text);
  if (trimmed.empty())
    return ReadResult::Empty;
  std::string_view number = trimmed;
  const bool negative = TakeSign(number);
  double hours = 0;
  if (!number.empty() && number[0] == '-')
    number = {};  // a second sign: not a number
  const auto result = std::from_chars(number.data(), number.data() + number.size(), hours,
                                      std::chars_format::general);
  if (result.ec == std::errc::invalid_argument) {
    hours = 0;  // not a number at all reads as 0, as strtod gives it
  } else if (result.ec == std::errc::result_out_of_range) {
    if (!HasNegativeExponent(number))
      return ReadResult::Invalid;
    hours = 0;
  }
  if (negative)
    hours = -hours;
  const double exact = hours * 3600.0;
  if (!std::isfinite(exact) || exact >= 2147483647.5 || exact < -2147483648.5)
    return ReadResult::Invalid;
  seconds = static_cast<std::int32_t>(std::llround(exact));
  return ReadResult::Valid;
}

ReadResult ParseIntField(std::string_view text, std::int32_t& value) {
  std::string_view number = SkipLeadingWhiteSpace(text);
  const bool negative = TakeSign(number);
  // Accumulate towards the sign so that the most negative value fits.
  std::int64_t total = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (const char c : number) {
    if (c < '0' || c > '9')
      break;
    total = total * 10 + (c - '0');
    if (total > kLimit)
      total = kLimit;
  }
  if (negative)
    total = -total;
  if (total > std::numeric_limits<std::int32_t>::max())
    total = std::numeric_limits<std::int32_t>::max();
  value = static_cast<std::int32_t>(total);
  return ReadResult::Valid;
}

}  // namespace tavir
