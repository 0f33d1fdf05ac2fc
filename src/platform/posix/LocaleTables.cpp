// The portable build's regional settings and how the user's locale is chosen.
#include "platform/posix/LocaleTables.h"

#include <cstdlib>
#include <iterator>

namespace tavir::locale_tables {
namespace {

using enum DateOrder;

constexpr CalendarNames kEnglishNames = {
    {"January", "February", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"},
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
};
constexpr CalendarNames kGermanNames = {
    {"Januar", "Februar", "M\u00e4rz", "April", "Mai", "Juni", "Juli", "August", "September",
     "Oktober", "November", "Dezember"},
    {"Jan", "Feb", "M\u00e4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
    {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
    {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
};
constexpr CalendarNames kFrenchNames = {
    {"janvier", "f\u00e9vrier", "mars", "avril", "mai", "juin", "juillet", "ao\u00fbt",
     "septembre", "octobre", "novembre", "d\u00e9cembre"},
    {"janv.", "f\u00e9vr.", "mars", "avr.", "mai", "juin", "juil.", "ao\u00fbt", "sept.", "oct.",
     "nov.", "d\u00e9c."},
    {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"},
    {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."},
};

constexpr LocaleTable kTables[] = {
    {"en-US", "M/d/yyyy", "h:mm:ss tt", "h:mm tt", ",", ".", "AM", "PM", MonthDayYear, '/',
     &kEnglishNames},
    {"en-GB", "dd/MM/yyyy", "HH:mm:ss", "HH:mm", ",", ".", "am", "pm", DayMonthYear, '/',
     &kEnglishNames},
    {"de-DE", "dd.MM.yyyy", "HH:mm:ss", "HH:mm", ";", ",", "AM", "PM", DayMonthYear, '.',
     &kGermanNames},
    {"fr-FR", "dd/MM/yyyy", "HH:mm:ss", "HH:mm", ";", ",", "AM", "PM", DayMonthYear, '/',
     &kFrenchNames},
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// "de_DE.UTF-8@euro" and "DE-de" both name de-DE.
bool NamesMatch(const std::string& name, const char* tableName) {
  size_t i = 0;
  for (; tableName[i] != '\0'; ++i) {
    if (i >= name.size()) return false;
    const char c = name[i] == '_' ? '-' : name[i];
    if (Lower(c) != Lower(tableName[i])) return false;
  }
  return i == name.size() || name[i] == '.' || name[i] == '@';
}

// A POSIX locale name such as de_AT.UTF-8 falls back to its language.
const LocaleTable* FindByLanguage(const std::string& name) {
  if (name.size() < 2 || (name.size() > 2 && name[2] != '_' && name[2] != '-' && name[2] != '.'))
    return nullptr;
  for (const LocaleTable& table : kTables)
    if (Lower(name[0]) == table.name[0] && Lower(name[1]) == table.name[1]) return &table;
  return nullptr;
}

}  // namespace

const LocaleTable* FindTable(std::string name) {
  for (const LocaleTable& table : kTables)
    if (NamesMatch(name, table.name)) return &table;
  return nullptr;
}

const LocaleTable& ActiveTable() {
  if (const char* chosen = std::getenv("TAVIR_LOCALE"); chosen != nullptr && *chosen != '\0') {
    const LocaleTable* table = FindTable(chosen);
    return table != nullptr ? *table : kTables[0];
  }
  for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    // The first variable that is set decides, as for the C library.
    if (const LocaleTable* table = FindTable(value)) return *table;
    if (const LocaleTable* table = FindByLanguage(value)) return *table;
    return kTables[0];
  }
  return kTables[0];
}

std::string SupportedNames() {
  std::string names;
  for (const LocaleTable& table : kTables) names += (names.empty() ? "" : ", ") + std::string(table.name);
  return names;
}

}  // namespace tavir::locale_tables
