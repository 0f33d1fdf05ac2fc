// The user's regional settings: short date and time texts, the list
// separator, the date-time text parser and lower-casing. Windows: the locale
// API. Portable: tables for en-US, en-GB, de-DE and fr-FR chosen by
// TAVIR_LOCALE, else LC_ALL / LC_TIME / LANG (en-US when none matches).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavir {

// GetDateFormat(DATE_SHORTDATE) of a calendar day, e.g. "10/26/2005".
std::string FormatShortDate(int year, int month, int day);
// GetTimeFormat(TIME_NOSECONDS), e.g. "9:00 AM".
std::string FormatTimeNoSeconds(int hour, int minute, int second);
// Time with seconds, as the variant-to-text conversion writes it ("9:00:00 AM").
std::string FormatTimeWithSeconds(int hour, int minute, int second);
// The user's decimal separator (the variant-to-text conversion of numbers).
std::string DecimalSeparator();
// The user's list separator; none when the locale query fails.
std::optional<std::string> ListSeparator();

struct ParsedDateTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
};
// VarDateFromStr under the user's default locale, no flags: a date, a date with
// a time, or a time alone (which gives 1899-12-30). Two-digit years map to
// 1930..2029. Leading and trailing blanks are allowed.
std::optional<ParsedDateTime> ParseDateTime(std::string_view text);

// Locale-aware lower-casing of an ANSI text (CharLowerBuff).
std::string LowerCase(std::string_view text);

// The name of the user's locale, e.g. "de-DE" (Windows: LOCALE_SNAME).
std::string ActiveLocaleName();

// Checks TAVIR_LOCALE; throws ConfigurationError naming the supported locales.
void CheckLocaleSetting();

}  // namespace tavir
