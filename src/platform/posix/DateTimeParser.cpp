// Parsing date-time texts as the Windows parser does (portable build).
//
// The text is split into at most six numbers. A number followed by ':' (or by
// '.' where the locale does not separate dates with it) is a time field; the
// others are date fields. A month name stands for its number and fixes where
// the month is; day names are passed over; AM/PM marks the number before it. The layout of
// time and date fields decides which numbers are the hour, minute, second and
// the date; the date numbers are tried in the locale's order first, then in
// orders close to it, then in any order, and the first valid date wins.
#include "platform/posix/DateTimeParser.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <string>

#include "platform/CodePage.h"

namespace tavir {
namespace {

using locale_tables::DateOrder;
using locale_tables::LocaleTable;

constexpr int kTwoDigitYearMax = 2029;
constexpr int kMaxNumbers = 6;
constexpr std::uint32_t kTooLarge = 1000000;  // larger than any field can be

enum Meridiem { kNoMeridiem = 0, kAm = 1, kPm = 2 };

struct Field {
  std::uint32_t value = 0;
  bool timeSeparator = false;  // followed by a time separator
  bool monthName = false;      // given as the month's name
  Meridiem meridiem = kNoMeridiem;
};

struct Tokens {
  std::array<Field, kMaxNumbers> fields;
  int count = 0;
  Meridiem meridiem = kNoMeridiem;  // of the whole text
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A name from the tables (UTF-8) in the ANSI code page, where the tables'
// letters are all in Latin-1.
std::string NameInAnsi(std::string_view utf8) {
  // ASCII names read the same in both code pages; asking which one the
  // locale has reads the environment, for every name tried.
  const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii || AnsiCodePageIsUtf8())
    return std::string(utf8);
  std::string ansi;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if ((byte & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
      const unsigned codePoint = (byte & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
      ansi += codePoint < 0x100 ? static_cast<char>(codePoint) : '?';
    } else {
      ansi += utf8[i];
    }
  }
  return ansi;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Most names tried differ from the text in the first letter. An ASCII letter
// lower-cases alike in every code page and stays itself in NameInAnsi, so
// the name need not be converted nor both texts lower-cased to tell.
bool StartsDifferently(std::string_view text, char nameStart) {
  if (text.empty() || nameStart == '\0') return false;
  const bool ascii =
      static_cast<unsigned char>(text[0]) < 0x80 && static_cast<unsigned char>(nameStart) < 0x80;
  return ascii && LowerAscii(text[0]) != LowerAscii(nameStart);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (prefix.empty() || text.size() < prefix.size()) return false;
  if (StartsDifferently(text, prefix[0])) return false;
  return LowerCase(text.substr(0, prefix.size())) == LowerCase(prefix);
}

// A word of the text as the Windows parser knows it: a month, a day of the
// week, or AM / PM.
struct Word {
  size_t length = 0;  // 0: not a known word
  int month = 0;      // 1..12 for a month name
  Meridiem meridiem = kNoMeridiem;
};

Word MatchWord(std::string_view text, const LocaleTable& locale) {
  const auto& names = *locale.names;
  // The order in which Windows tries them: the first that matches wins.
  for (const auto* list : {&names.months, &names.abbreviatedMonths}) {
    for (int m = 0; m < 12; ++m) {
      if (StartsDifferently(text, (*list)[m][0])) continue;
      const std::string name = NameInAnsi((*list)[m]);
      if (StartsWithIgnoringCase(text, name)) return Word{name.size(), m + 1, kNoMeridiem};
    }
  }
  for (const auto* list : {&names.days, &names.abbreviatedDays}) {
    for (const char* day : *list) {
      if (StartsDifferently(text, day[0])) continue;
      const std::string name = NameInAnsi(day);
      if (StartsWithIgnoringCase(text, name)) return Word{name.size(), 0, kNoMeridiem};
    }
  }
  const std::string_view meridiems[][2] = {
      {locale.amDesignator, locale.pmDesignator}, {"AM", "PM"}, {"A", "P"}};
  for (const auto& pair : meridiems)
    for (int i = 0; i < 2; ++i)
      if (StartsWithIgnoringCase(text, pair[i])) return Word{pair[i].size(), 0, i == 0 ? kAm : kPm};
  return Word{};
}

std::optional<Tokens> Tokenize(std::string_view text, const LocaleTable& locale) {
  Tokens tokens;
  int dateSeparators = 0;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    const bool last = i + 1 == text.size();
    if (IsDigit(c)) {
      if (tokens.count == kMaxNumbers) return std::nullopt;
      std::uint32_t value = 0;
      while (i < text.size() && IsDigit(text[i])) {
        if (value < kTooLarge) value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
        ++i;
      }
      tokens.fields[tokens.count++].value = value;
      continue;
    }
    if (IsLetter(c) || static_cast<unsigned char>(c) >= 0x80) {
      const Word word = MatchWord(text.substr(i), locale);
      if (word.length == 0) return std::nullopt;
      if (word.month != 0) {
        if (tokens.count == kMaxNumbers) return std::nullopt;
        Field& field = tokens.fields[tokens.count++];
        field.value = static_cast<std::uint32_t>(word.month);
        field.monthName = true;
      } else if (word.meridiem != kNoMeridiem) {
        if (tokens.count == 0 || tokens.meridiem != kNoMeridiem) return std::nullopt;
        tokens.fields[tokens.count - 1].meridiem = word.meridiem;
        tokens.meridiem = word.meridiem;
      }
      i += word.length;
      continue;
    }
    const bool dateSeparator = c == '-' || c == '/' || c == locale.dateSeparator;
    const bool timeSeparator = !dateSeparator && (c == ':' || c == '.');
    if (dateSeparator || timeSeparator) {
      if (tokens.count == 0 || last) return std::nullopt;
      if (dateSeparator && ++dateSeparators > 2) return std::nullopt;
      if (timeSeparator) tokens.fields[tokens.count - 1].timeSeparator = true;
    } else if (c == ',') {
      if (last) return std::nullopt;
    } else if (!IsBlank(c)) {
      return std::nullopt;
    }
    ++i;
  }
  return tokens;
}

bool IsLeapYear(std::uint32_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool IsValidMonthDay(std::uint32_t day, std::uint32_t month, std::uint32_t year) {
  static constexpr std::uint32_t kDays[] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (day == 0 || month == 0 || month > 12) return false;
  return day <= kDays[month] || (month == 2 && day == 29 && IsLeapYear(year));
}

enum OrderBits : unsigned {
  kMdy = 1,
  kYmd = 2,
  kYdm = 4,
  kDmy = 8,
  kMyd = 16,  // month and year without a day
};

struct Date {
  std::uint32_t year = 0, month = 0, day = 0;
};

// Tries the orders in `allowed`: first the locale's own, then those that keep
// its position of the day or the month, then any.
std::optional<Date> ChooseOrder(std::uint32_t a, std::uint32_t b, std::uint32_t c,
                                unsigned allowed, DateOrder localeOrder) {
  unsigned first, second;
  switch (localeOrder) {
    case DateOrder::MonthDayYear:
      first = kMdy;
      second = ~(kDmy | kYdm);
      break;
    case DateOrder::DayMonthYear:
      first = kDmy;
      second = ~(kMdy | kYdm | kMyd);
      break;
    default:
      first = kYmd;
      second = ~(kDmy | kYdm);
      break;
  }
  for (const unsigned round : {first, second, ~0u}) {
    const unsigned trying = allowed & round;
    if (trying & kMdy) {
      if (IsValidMonthDay(b, a, c)) return Date{c, a, b};
      allowed &= ~kMdy;
    }
    if (trying & kYmd) {
      if (IsValidMonthDay(c, b, a)) return Date{a, b, c};
      allowed &= ~kYmd;
    }
    if (trying & kYdm) {
      if (IsValidMonthDay(b, c, a)) return Date{a, c, b};
      allowed &= ~kYdm;
    }
    if (trying & kDmy) {
      if (IsValidMonthDay(a, b, c)) return Date{c, b, a};
      allowed &= ~kDmy;
    }
    if (trying & kMyd) {
      if (IsValidMonthDay(c, a, b)) return Date{b, a, c};
      allowed &= ~kMyd;
    }
  }
  return std::nullopt;
}

std::optional<Date> MakeDate(const Field* fields, int count, const LocaleTable& locale,
                             int currentYear) {
  if (count == 0) return Date{1899, 12, 30};
  const std::uint32_t a = fields[0].value, b = fields[1].value;
  // A month given by name allows only the orders with a month in its place.
  unsigned allowed = kMdy | kDmy | (count > 2 ? kYmd | kYdm : 0u);
  if (fields[0].monthName)
    allowed = kMdy;
  else if (fields[1].monthName)
    allowed = kDmy | (count > 2 ? kYmd : 0u);
  else if (count > 2 && fields[2].monthName)
    allowed = kYdm;
  if (count == 2) {
    if (auto date = ChooseOrder(a, b, static_cast<std::uint32_t>(currentYear), allowed,
                                locale.dateOrder))
      return date;
    // Neither day-month nor month-day: a month of a year, on its first day.
    return ChooseOrder(a, b, 1, kYmd | kMyd, locale.dateOrder);
  }
  return ChooseOrder(a, b, fields[2].value, allowed, locale.dateOrder);
}

bool HasMeridiem(const Tokens& tokens, int from, int to) {
  for (int i = from; i < to && i < tokens.count; ++i)
    if (tokens.fields[i].meridiem != kNoMeridiem) return true;
  return false;
}

}  // namespace

std::optional<ParsedDateTime> ParseDateTimeText(std::string_view text, const LocaleTable& locale,
                                                int currentYear) {
  auto tokens = Tokenize(text, locale);
  if (!tokens || tokens->count == 0) return std::nullopt;
  Tokens& t = *tokens;
  const auto& f = t.fields;
  const bool meridiem = t.meridiem != kNoMeridiem;
  if (t.count == 1 && !meridiem) return std::nullopt;

  unsigned layout = 0;  // bit i: field i is followed by a time separator
  for (int i = 0; i < 5 && i < t.count; ++i)
    if (f[i].timeSeparator) layout |= 1u << i;

  std::uint32_t hour = 0, minute = 0, second = 0;
  int dateStart = 0, dateCount = t.count;
  switch (layout) {
    case 0x1:  // h:m, then 0, 2 or 3 date numbers
      if ((t.count > 3 && HasMeridiem(t, 2, 5)) || (t.count != 2 && t.count != 4 && t.count != 5))
        return std::nullopt;
      hour = f[0].value, minute = f[1].value;
      dateStart = 2, dateCount = t.count - 2;
      break;
    case 0x3:  // h:m:s, then 0, 2 or 3 date numbers
      if ((t.count > 4 && HasMeridiem(t, 3, 6)) || (t.count != 3 && t.count != 5 && t.count != 6))
        return std::nullopt;
      hour = f[0].value, minute = f[1].value, second = f[2].value;
      dateStart = 3, dateCount = t.count - 3;
      break;
    case 0x4:  // 2 date numbers, h:m
      if (t.count != 4 || HasMeridiem(t, 0, 2)) return std::nullopt;
      hour = f[2].value, minute = f[3].value;
      dateCount = 2;
      break;
    case 0x0:  // no time separator: an hour marked AM/PM, and date numbers
      if (t.count == 1) {
        hour = f[0].value;
        dateCount = 0;
      } else if (t.count > 4 || (t.count < 3 && meridiem)) {
        return std::nullopt;
      } else if (t.count == 3 && meridiem) {
        if (f[0].meridiem != kNoMeridiem) {
          hour = f[0].value;
          dateStart = 1;
        } else if (f[2].meridiem != kNoMeridiem) {
          hour = f[2].value;
        } else {
          return std::nullopt;
        }
        dateCount = 2;
      } else if (t.count == 4) {
        if (f[0].meridiem != kNoMeridiem) {
          hour = f[0].value;
          dateStart = 1;
        } else if (f[3].meridiem != kNoMeridiem) {
          hour = f[3].value;
        } else {
          return std::nullopt;
        }
        dateCount = 3;
      }
      break;
    case 0x8:  // 3 date numbers, h:m
      if (t.count != 5 || HasMeridiem(t, 0, 3)) return std::nullopt;
      hour = f[3].value, minute = f[4].value;
      dateCount = 3;
      break;
    case 0xC:  // 2 date numbers, h:m:s
      if (t.count != 5 || HasMeridiem(t, 0, 2)) return std::nullopt;
      hour = f[2].value, minute = f[3].value, second = f[4].value;
      dateCount = 2;
      break;
    case 0x18:  // 3 date numbers, h:m:s
      if (t.count != 6 || HasMeridiem(t, 0, 3)) return std::nullopt;
      hour = f[3].value, minute = f[4].value, second = f[5].value;
      dateCount = 3;
      break;
    default:
      return std::nullopt;
  }

  const auto date = MakeDate(&f[dateStart], dateCount, locale, currentYear);
  if (!date || hour > 23 || minute > 59 || second > 59) return std::nullopt;
  if (hour < 12 && t.meridiem == kPm) hour += 12;
  if (hour == 12 && t.meridiem == kAm) hour = 0;

  std::uint32_t year = date->year;
  if (year < 100) {
    const std::uint32_t windowEnd = kTwoDigitYearMax % 100;
    year += year <= windowEnd ? kTwoDigitYearMax - windowEnd : kTwoDigitYearMax - windowEnd - 100;
  }
  if (year > 9999) return std::nullopt;

  ParsedDateTime parsed;
  parsed.year = static_cast<int>(year);
  parsed.month = static_cast<int>(date->month);
  parsed.day = static_cast<int>(date->day);
  parsed.hour = static_cast<int>(hour);
  parsed.minute = static_cast<int>(minute);
  parsed.second = static_cast<int>(second);
  return parsed;
}

}  // namespace tavir
