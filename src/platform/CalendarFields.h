// Conversions between the C library's struct tm and our local fields, shared
// by both platforms' LocalTime.
#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>

#include "platform/LocalTime.h"

namespace tavir {

inline std::tm CalendarFields(int year, int month, int day, int hour, int minute, int second,
                              DaylightSaving dst) {
  std::tm fields{};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_hour = hour;
  fields.tm_min = minute;
  fields.tm_sec = second;
  // -1 lets the zone rules decide whether daylight saving applies.
  fields.tm_isdst = dst == DaylightSaving::ForcedOff ? 0 : -1;
  return fields;
}

inline LocalFields ToLocalFields(const std::tm& fields, int yearShift = 0) {
  return LocalFields{fields.tm_year + 1900 - yearShift,
                     fields.tm_mon + 1,
                     fields.tm_mday,
                     fields.tm_hour,
                     fields.tm_min,
                     fields.tm_sec,
                     fields.tm_wday};
}

// Days since 1970-01-01 of the fields' date.
inline std::int32_t DayNumberOf(const LocalFields& fields) {
  const std::chrono::year_month_day date{std::chrono::year{fields.year},
                                         std::chrono::month{static_cast<unsigned>(fields.month)},
                                         std::chrono::day{static_cast<unsigned>(fields.day)}};
  return std::chrono::sys_days{date}.time_since_epoch().count();
}

}  // namespace tavir
