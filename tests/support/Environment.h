// Test helpers that pin the process environment: one variable for the length
// of a test, and the time zone (Central European Time with its daylight
// saving rules) on both builds.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <utility>

#include "platform/LocalTime.h"

namespace tavir::test_support {

inline void SetEnvironmentVariable(const std::string& name, const std::optional<std::string>& value) {
#if defined(_WIN32)
  // An empty value removes the variable from the runtime's environment.
  _putenv_s(name.c_str(), value ? value->c_str() : "");
#else
  if (value)
    setenv(name.c_str(), value->c_str(), 1);
  else
    unsetenv(name.c_str());
#endif
}

// Sets (or, with no value, removes) a variable and restores it afterwards.
class ScopedEnvironmentVariable {
 public:
  ScopedEnvironmentVariable(std::string name, const std::optional<std::string>& value)
      : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) previous_ = old;
    SetEnvironmentVariable(name_, value);
  }
  ~ScopedEnvironmentVariable() { SetEnvironmentVariable(name_, previous_); }
  ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
  ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

// Central European Time: UTC+1, daylight saving UTC+2 from the last Sunday of
// March 02:00 to the last Sunday of October 03:00.
//
// The portable build takes the POSIX rule from TZ. The Windows runtime reads
// only a name and an offset from TZ and ignores its daylight saving rules, so
// the Windows build removes TZ and uses the system zone instead, which the
// Wine test runner sets by starting Wine with TZ=Europe/Berlin. Either way,
// CentralEuropeanTimeIsActive() tells a test whether the pin took effect.
inline void PinCentralEuropeanTime() {
#if defined(_WIN32)
  SetEnvironmentVariable("TZ", std::nullopt);
  _tzset();
#else
  SetEnvironmentVariable("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
  tzset();
#endif
}

// True when local time follows Central European rules, including the European
// change dates (28 March 2005 is summer time there, not yet in the US).
inline bool CentralEuropeanTimeIsActive() {
  return BuildLocal(2005, 1, 15, 12, 0, 0) == 1105786800 &&
         BuildLocal(2005, 7, 15, 12, 0, 0) == 1121421600 &&
         BuildLocal(2005, 3, 28, 12, 0, 0) == 1112004000 &&
         BuildLocal(2005, 10, 31, 12, 0, 0) == 1130756400;
}

}  // namespace tavir::test_support
