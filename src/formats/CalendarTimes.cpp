// Date and time texts of calendar files.
#include "formats/CalendarTimes.h"

#include <chrono>
#include <cstdio>

namespace tavir {

namespace {

// value in decimal with at least width digits, as "%0*d" writes it; by hand,
// since an export formats several of these per appointment.
void AppendNumber(std::string& out, int value, int width) {
  if (value < 0) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    out += text;
    return;
  }
  char digits[12];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  for (int pad = count; pad < width; ++pad)
    out += '0';
  while (count > 0)
    out += digits[--count];
}

// Writes value as exactly `width` decimal digits ending before end; false
// when it does not fit (then nothing is to be trusted of what was written).
bool PutDigits(char* end, int value, int width) {
  if (value < 0)
    return false;
  for (int i = 0; i < width; ++i, value /= 10)
    *--end = static_cast<char>('0' + value % 10);
  return value == 0;
}

std::string FormatDate(int year, int month, int day) {
  // Every date of a TimeValue fits the eight digits; others are written the
  // long way.
  char digits[8];
  if (PutDigits(digits + 4, year, 4) && PutDigits(digits + 6, month, 2) &&
      PutDigits(digits + 8, day, 2))
    return std::string(digits, sizeof digits);
  std::string text;
  AppendNumber(text, year, 4);
  AppendNumber(text, month, 2);
  AppendNumber(text, day, 2);
  return text;
}

void AppendTimeOfDay(std::string& text, int hour, int minute) {
  char time[7] = {'T', 0, 0, 0, 0, '0', '0'};
  if (PutDigits(time + 3, hour, 2) && PutDigits(time + 5, minute, 2)) {
    text.append(time, sizeof time);
    return;
  }
  text += 'T';
  AppendNumber(text, hour, 2);
  AppendNumber(text, minute, 2);
  text += "00";
}

}  // namespace

std::string FormatUtcDateTime(TimeValue value) {
  using namespace std::chrono;
  const sys_seconds moment{seconds{value}};
  const sys_days day = floor<days>(moment);
  const year_month_day date{day};
  const hh_mm_ss time{moment - day};
  std::string text = FormatDate(static_cast<int>(date.year()),
                                static_cast<int>(static_cast<unsigned>(date.month())),
                                static_cast<int>(static_cast<unsigned>(date.day())));
  AppendTimeOfDay(text, static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()));
  text += 'Z';
  return text;
}

std::string FormatLocalDate(TimeValue value) {
  const LocalFields local = SplitLocal(value);
  return FormatDate(local.year, local.month, local.day);
}

std::string FormatFloatingDateTime(TimeValue value) {
  const LocalFields local = SplitLocal(value);
  std::string text = FormatDate(local.year, local.month, local.day);
  AppendTimeOfDay(text, local.hour, local.minute);
  return text;
}

TimeValue AddLocalDay(TimeValue value) {
  const LocalFields local = SplitLocal(value);
  return BuildLocal(local.year, local.month, local.day + 1, local.hour, local.minute, local.second);
}

}  // namespace tavir
