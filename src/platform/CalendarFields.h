// Conversions between the C library's struct tm and our local fields, shared
// by both platforms' LocalTime.
#pragma once

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
  return LocalFields{fields.tm_year + 1900 - yearShift, fields.tm_mon + 1, fields.tm_mday,
                     fields.tm_hour, fields.tm_min, fields.tm_sec, fields.tm_wday};
}

}  // namespace tavir
