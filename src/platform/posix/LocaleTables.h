// The regional settings the portable build knows, as Windows 10 gives them,
// and the choice among them: TAVIR_LOCALE, else LC_ALL / LC_TIME / LANG.
#pragma once

#include <string>

namespace tavir::locale_tables {

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// Month and day names as Windows 10 gives them, in UTF-8.
struct CalendarNames {
  const char* months[12];
  const char* abbreviatedMonths[12];
  const char* days[7];  // Sunday first
  const char* abbreviatedDays[7];
};

struct LocaleTable {
  const char* name;                   // e.g. "de-DE"
  const char* shortDatePattern;       // LOCALE_SSHORTDATE
  const char* timePattern;            // LOCALE_STIMEFORMAT
  const char* timeNoSecondsPattern;   // what TIME_NOSECONDS leaves of it
  const char* listSeparator;          // LOCALE_SLIST
  const char* decimalSeparator;       // LOCALE_SDECIMAL
  const char* amDesignator;           // LOCALE_S1159
  const char* pmDesignator;           // LOCALE_S2359
  DateOrder dateOrder;                // LOCALE_IDATE
  char dateSeparator;                 // LOCALE_SDATE
  const CalendarNames* names;
};

// The locale in force; en-US when nothing (valid) selects one.
const LocaleTable& ActiveTable();
// The table TAVIR_LOCALE names, or nullptr when it names none we know.
const LocaleTable* FindTable(std::string name);
// "en-US, en-GB, de-DE, fr-FR"
std::string SupportedNames();

}  // namespace tavir::locale_tables
