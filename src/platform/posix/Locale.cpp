// The user's regional settings in the portable build: texts formatted from
// the active locale table, and the date-time parser.
#include "platform/Locale.h"

#include <cstdlib>
#include <ctime>

#include "platform/Clock.h"
#include "platform/ConfigurationError.h"
#include "platform/posix/DateTimeParser.h"
#include "platform/posix/LocaleTables.h"

namespace tavir {
namespace {

using locale_tables::ActiveTable;
using locale_tables::LocaleTable;

struct Moment {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

void AppendNumber(std::string& text, int value, int minimumDigits) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < minimumDigits)
    digits.insert(0, static_cast<size_t>(minimumDigits) - digits.size(), '0');
  text += digits;
}

// Expands a Windows date or time picture such as "dd.MM.yyyy" or "h:mm tt".
std::string FormatPicture(const char* picture, const Moment& moment, const LocaleTable& locale) {
  std::string text;
  for (const char* p = picture; *p != '\0';) {
    const char c = *p;
    int run = 1;
    while (p[run] == c) ++run;
    p += run;
    switch (c) {
      case 'd': AppendNumber(text, moment.day, run >= 2 ? 2 : 1); break;
      case 'M': AppendNumber(text, moment.month, run >= 2 ? 2 : 1); break;
      case 'y':
        if (run <= 2)
          AppendNumber(text, moment.year % 100, run);
        else
          AppendNumber(text, moment.year, 4);
        break;
      case 'h': AppendNumber(text, moment.hour % 12 == 0 ? 12 : moment.hour % 12, run >= 2 ? 2 : 1); break;
      case 'H': AppendNumber(text, moment.hour, run >= 2 ? 2 : 1); break;
      case 'm': AppendNumber(text, moment.minute, run >= 2 ? 2 : 1); break;
      case 's': AppendNumber(text, moment.second, run >= 2 ? 2 : 1); break;
      case 't': {
        const std::string designator = moment.hour < 12 ? locale.amDesignator : locale.pmDesignator;
        text += run == 1 ? designator.substr(0, 1) : designator;
        break;
      }
      default: text.append(static_cast<size_t>(run), c); break;
    }
  }
  return text;
}

bool IsValidDate(int year, int month, int day) {
  static constexpr int kDays[] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 || day > kDays[month])
    return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month != 2 || day <= 28 || leap;
}

bool IsValidTime(int hour, int minute, int second) {
  return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

std::string FormatTime(const char* picture, int hour, int minute, int second) {
  if (!IsValidTime(hour, minute, second)) return {};
  const LocaleTable& locale = ActiveTable();
  return FormatPicture(picture, Moment{0, 0, 0, hour, minute, second}, locale);
}

int CurrentLocalYear() {
  TimeValue now;
  try {
    now = CurrentTime();
  } catch (const ConfigurationError&) {
    // A bad TAVIR_NOW is reported where the program checks its settings.
    now = static_cast<TimeValue>(std::time(nullptr));
  }
  return SplitLocal(now).year;
}

}  // namespace

std::string FormatShortDate(int year, int month, int day) {
  if (!IsValidDate(year, month, day)) return {};
  const LocaleTable& locale = ActiveTable();
  return FormatPicture(locale.shortDatePattern, Moment{year, month, day, 0, 0, 0}, locale);
}

std::string FormatTimeNoSeconds(int hour, int minute, int second) {
  return FormatTime(ActiveTable().timeNoSecondsPattern, hour, minute, second);
}

std::string FormatTimeWithSeconds(int hour, int minute, int second) {
  return FormatTime(ActiveTable().timePattern, hour, minute, second);
}

std::string DecimalSeparator() { return ActiveTable().decimalSeparator; }

std::optional<std::string> ListSeparator() { return std::string(ActiveTable().listSeparator); }

std::optional<ParsedDateTime> ParseDateTime(std::string_view text) {
  return ParseDateTimeText(text, ActiveTable(), CurrentLocalYear());
}

std::string ActiveLocaleName() { return ActiveTable().name; }

void CheckLocaleSetting() {
  const char* chosen = std::getenv("TAVIR_LOCALE");
  if (chosen == nullptr || *chosen == '\0' || locale_tables::FindTable(chosen) != nullptr) return;
  throw ConfigurationError("TAVIR_LOCALE is \"" + std::string(chosen) +
                           "\", which is not a supported locale. Set it to one of " +
                           locale_tables::SupportedNames() +
                           ", or unset it to follow LC_ALL, LC_TIME or LANG.");
}

}  // namespace tavir
