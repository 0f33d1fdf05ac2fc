// Pinning the local time zone of a test to Central European or US Eastern
// time, with the daylight saving rules of each, on both builds.
#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "support/Environment.h"

namespace tavir::test_support {

enum class TestZone { Berlin, NewYork };

// Sets the zone for the lifetime of the object and restores TZ afterwards.
//
// Berlin: see PinCentralEuropeanTime. New York: the POSIX rule natively
// (second Sunday of March to first Sunday of November, so tests use dates
// from 2007 on); on Windows the runtime applies the United States rules to
// any zone named with a daylight saving part, so "EST5EDT" is enough there.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(TestZone zone) {
    if (const char* old = std::getenv("TZ")) previous_ = old;
    if (zone == TestZone::Berlin) {
      PinCentralEuropeanTime();
      return;
    }
#if defined(_WIN32)
    SetEnvironmentVariable("TZ", std::string("EST5EDT"));
    _tzset();
#else
    SetEnvironmentVariable("TZ", std::string("EST5EDT,M3.2.0,M11.1.0"));
    tzset();
#endif
  }
  ~ScopedTimeZone() {
    SetEnvironmentVariable("TZ", previous_);
#if defined(_WIN32)
    _tzset();
#else
    tzset();
#endif
  }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  std::optional<std::string> previous_;
};

// The TimeValue of a UTC calendar moment, computed without the C library so
// that expectations do not depend on the zone under test.
constexpr TimeValue UtcTime(int year, int month, int day, int hour = 0, int minute = 0,
                            int second = 0) {
  // Days from 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's
  // days_from_civil).
  year -= month <= 2 ? 1 : 0;
  const int era = (year >= 0 ? year : year - 399) / 400;
  const int yearOfEra = year - era * 400;
  const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const long long days = era * 146097LL + dayOfEra - 719468;
  return static_cast<TimeValue>(days * 86400 + hour * 3600 + minute * 60 + second);
}
static_assert(UtcTime(2005, 3, 1, 22) == 1109714400);

// True when local time follows US Eastern rules from 2007 on.
inline bool EasternTimeIsActive() {
  return BuildLocal(2007, 1, 15, 12, 0, 0) == 1168880400 &&
         BuildLocal(2007, 3, 12, 12, 0, 0) == 1173715200 &&
         BuildLocal(2007, 11, 5, 12, 0, 0) == 1194282000;
}

}  // namespace tavir::test_support
