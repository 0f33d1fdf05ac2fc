// The user's regional settings on Windows: the locale API for texts, the
// variant parser for dates and times, CharLowerBuff for lower-casing.
#include "platform/Locale.h"

#include "platform/CodePage.h"
#include "platform/win32/WindowsApi.h"

namespace tavir {
namespace {

constexpr int kTextBufferSize = 100;

SYSTEMTIME TimeOfDay(int hour, int minute, int second) {
  SYSTEMTIME time{};
  time.wYear = 2000;
  time.wMonth = 1;
  time.wDay = 1;
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  time.wSecond = static_cast<WORD>(second);
  return time;
}

std::string FormatTime(DWORD flags, int hour, int minute, int second) {
  if (hour < 0 || minute < 0 || second < 0) return {};
  const SYSTEMTIME time = TimeOfDay(hour, minute, second);
  char buffer[kTextBufferSize];
  if (GetTimeFormatA(LOCALE_USER_DEFAULT, flags, &time, nullptr, buffer, sizeof buffer) == 0)
    return {};
  return buffer;
}

std::optional<std::string> LocaleInfo(LCTYPE type) {
  char buffer[kTextBufferSize];
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) == 0) return std::nullopt;
  return std::string(buffer);
}

}  // namespace

std::string FormatShortDate(int year, int month, int day) {
  if (year < 0 || month < 0 || day < 0) return {};
  SYSTEMTIME date{};
  date.wYear = static_cast<WORD>(year);
  date.wMonth = static_cast<WORD>(month);
  date.wDay = static_cast<WORD>(day);
  char buffer[kTextBufferSize];
  if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, buffer, sizeof buffer) == 0)
    return {};
  return buffer;
}

std::string FormatTimeNoSeconds(int hour, int minute, int second) {
  return FormatTime(TIME_NOSECONDS, hour, minute, second);
}

std::string FormatTimeWithSeconds(int hour, int minute, int second) {
  return FormatTime(0, hour, minute, second);
}

std::string DecimalSeparator() { return LocaleInfo(LOCALE_SDECIMAL).value_or("."); }

std::optional<std::string> ListSeparator() { return LocaleInfo(LOCALE_SLIST); }

std::optional<ParsedDateTime> ParseDateTime(std::string_view text) {
  WideString wide = AnsiToWide(text);
  DATE date = 0;
  if (FAILED(VarDateFromStr(wide.data(), LOCALE_USER_DEFAULT, 0, &date))) return std::nullopt;
  SYSTEMTIME time{};
  if (!VariantTimeToSystemTime(date, &time)) return std::nullopt;
  ParsedDateTime parsed;
  parsed.year = time.wYear;
  parsed.month = time.wMonth;
  parsed.day = time.wDay;
  parsed.hour = time.wHour;
  parsed.minute = time.wMinute;
  parsed.second = time.wSecond;
  return parsed;
}

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  if (!lower.empty()) CharLowerBuffA(lower.data(), static_cast<DWORD>(lower.size()));
  return lower;
}

std::string ActiveLocaleName() { return LocaleInfo(LOCALE_SNAME).value_or(""); }

// Windows takes the locale from the user's settings; TAVIR_LOCALE belongs to
// the portable build and is not read here.
void CheckLocaleSetting() {}

}  // namespace tavir
