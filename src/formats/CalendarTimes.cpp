// Date and time texts of calendar files.
#include "formats/CalendarTimes.h"

#include <chrono>
#include <cstdio>

namespace tavir {

namespace {

std::string FormatDate(int year, int month, int day) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day);
  return text;
}

std::string FormatTimeOfDay(int hour, int minute) {
  char text[16];
  std::snprintf(text, sizeof text, "T%02d%02d00", hour, minute);
  return text;
}

}  // namespace

std::string FormatUtcDateTime(TimeValue value) {
  using namespace std::chrono;
  const sys_seconds moment{seconds{value}};
  const sys_days day = floor<days>(moment);
  const year_month_day date{day};
  const hh_mm_ss time{moment - day};
  return FormatDate(static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
                    static_cast<int>(static_cast<unsigned>(date.day()))) +
         FormatTimeOfDay(static_cast<int>(time.hours().count()),
                         static_cast<int>(time.minutes().count())) +
         "Z";
}

std::string FormatLocalDate(TimeValue value) {
  const LocalFields local = SplitLocal(value);
  return FormatDate(local.year, local.month, local.day);
}

std::string FormatFloatingDateTime(TimeValue value) {
  const LocalFields local = SplitLocal(value);
  return FormatDate(local.year, local.month, local.day) + FormatTimeOfDay(local.hour, local.minute);
}

TimeValue AddLocalDay(TimeValue value) {
  const LocalFields local = SplitLocal(value);
  return BuildLocal(local.year, local.month, local.day + 1, local.hour, local.minute, local.second);
}

}  // namespace tavir
