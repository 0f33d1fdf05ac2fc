// Local time and clock ports: splitting and building TimeValues in Central
// European Time, across the daylight saving changes and at the ends of the
// 32-bit range; TAVIR_NOW replaces the system clock, and a malformed value is
// a configuration error that names the variable.
#include <ctime>
#include <optional>
#include <tuple>

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/ConfigurationError.h"
#include "platform/LocalTime.h"
#include "support/Environment.h"
#include "support/TimeZones.h"

namespace tavir {
namespace {

class LocalTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test_support::PinCentralEuropeanTime();
    ASSERT_TRUE(test_support::CentralEuropeanTimeIsActive())
        << "the time zone is not Central European Time (under Wine, start it with "
           "TZ=Europe/Berlin)";
  }
};

TEST_F(LocalTimeTest, SplitAndBuildAgreeOnBothSidesOfEachChange) {
  struct Case {
    TimeValue t;
    LocalFields local;
    bool builds;  // false: the local time is ambiguous and builds to the other moment
  } cases[] = {
      {0, {1970, 1, 1, 1, 0, 0, 4}, true},
      {-1, {1970, 1, 1, 0, 59, 59, 4}, true},
      {-31536000, {1969, 1, 1, 1, 0, 0, 3}, true},
      {1111885199, {2005, 3, 27, 1, 59, 59, 0}, true},  // last second of winter time
      {1111885200, {2005, 3, 27, 3, 0, 0, 0}, true},    // first second of summer time
      {1121445000, {2005, 7, 15, 18, 30, 0, 5}, true},
      {1130633999, {2005, 10, 30, 2, 59, 59, 0}, false},
      {1130634000, {2005, 10, 30, 2, 0, 0, 0}, false},  // the repeated hour, now in winter time
      {1131637337, {2005, 11, 10, 16, 42, 17, 4}, true},
      {2147483647, {2038, 1, 19, 4, 14, 7, 2}, true},
  };
  for (const Case& c : cases) {
    const LocalFields f = SplitLocal(c.t), e = c.local;
    EXPECT_EQ(std::tuple(f.year, f.month, f.day, f.hour, f.minute, f.second, f.dayOfWeek),
              std::tuple(e.year, e.month, e.day, e.hour, e.minute, e.second, e.dayOfWeek))
        << c.t;
    if (c.builds) {
      EXPECT_EQ(BuildLocal(e.year, e.month, e.day, e.hour, e.minute, e.second), c.t);
    }
  }
  // Standard time in July is one hour later than summer time.
  EXPECT_EQ(BuildLocal(2005, 7, 15, 18, 30, 0, DaylightSaving::ForcedOff), 1121445000 + 3600);
  EXPECT_EQ(BuildLocal(2005, 1, 15, 12, 0, 0, DaylightSaving::ForcedOff), 1105786800);
}

TEST_F(LocalTimeTest, BuildNormalisesFieldsOutOfRangeAndRefusesMomentsBeyond32Bits) {
  EXPECT_EQ(BuildLocal(2005, 1, 32, 0, 0, 0), BuildLocal(2005, 2, 1, 0, 0, 0));
  EXPECT_EQ(BuildLocal(2005, 13, 1, 0, 0, 0), BuildLocal(2006, 1, 1, 0, 0, 0));
  EXPECT_EQ(BuildLocal(2005, 3, 1, 0, 0, -1), BuildLocal(2005, 2, 28, 23, 59, 59));
  EXPECT_EQ(BuildLocal(2005, 7, 15, 24 * 3, 0, 0), BuildLocal(2005, 7, 18, 0, 0, 0));
  EXPECT_EQ(BuildLocal(2038, 1, 19, 4, 14, 8), 0);
  EXPECT_EQ(BuildLocal(2100, 1, 1, 0, 0, 0), 0);
  EXPECT_EQ(BuildLocal(1901, 1, 1, 0, 0, 0), 0);
}

// Answers kept for one zone must not outlive it: the same moment and the same
// fields converted again after TZ changed (and back) give the new zone's.
TEST_F(LocalTimeTest, ConversionsFollowTheZoneForValuesConvertedBefore) {
  const TimeValue moment = 1184493600;  // 2007-07-15 10:00 UTC
  struct Case {
    std::optional<test_support::TestZone> zone;  // none: Berlin, as SetUp pinned it
    int localHour;
  };
  const Case cases[] = {
      {std::nullopt, 12}, {test_support::TestZone::NewYork, 6}, {std::nullopt, 12}};
  for (const Case& c : cases) {
    std::optional<test_support::ScopedTimeZone> zone;
    if (c.zone)
      zone.emplace(*c.zone);
    EXPECT_EQ(SplitLocal(moment).hour, c.localHour);
    EXPECT_EQ(BuildLocal(2007, 7, 15, c.localHour, 0, 0), moment);
    EXPECT_EQ(BuildLocal(2007, 7, 15, 12, 0, 0), moment + (12 - c.localHour) * 3600);
  }
}

#if !defined(_WIN32)
// Most days are answered from their midnights without the C library; every
// answer must still be the C library's, also where the clocks change at
// midnight (skipping it, or repeating the hour after or before it), by half
// an hour, or never.
TEST_F(LocalTimeTest, ConversionsAgreeWithTheCLibraryAroundEachChange) {
  const char* const zones[] = {
      "CET-1CEST,M3.5.0,M10.5.0/3",
      "CST5CDT,M3.2.0/0,M11.1.0/1",
      "<-03>3<-02>,M10.3.0/0,M2.3.0/0",
      "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0",
      "<+14>-14",
  };
  for (const char* zone : zones) {
    test_support::ScopedEnvironmentVariable variable("TZ", std::string(zone));
    tzset();
    for (TimeValue t = test_support::UtcTime(2009, 12, 20); t < test_support::UtcTime(2011, 1, 10);
         t += 1807) {
      const std::time_t seconds = t;
      std::tm expected{};
      ASSERT_NE(localtime_r(&seconds, &expected), nullptr);
      const LocalFields f = SplitLocal(t);
      ASSERT_EQ(std::tuple(f.year, f.month, f.day, f.hour, f.minute, f.second, f.dayOfWeek),
                std::tuple(expected.tm_year + 1900, expected.tm_mon + 1, expected.tm_mday,
                           expected.tm_hour, expected.tm_min, expected.tm_sec, expected.tm_wday))
          << zone << " " << t;
      // A repeated local time may build to its other moment, never to another time.
      const std::time_t built = BuildLocal(f.year, f.month, f.day, f.hour, f.minute, f.second);
      std::tm back{};
      ASSERT_NE(localtime_r(&built, &back), nullptr);
      ASSERT_EQ(std::tuple(back.tm_mday, back.tm_hour, back.tm_min, back.tm_sec),
                std::tuple(f.day, f.hour, f.minute, f.second))
          << zone << " " << t;
    }
  }
  tzset();
}
#endif

TEST_F(LocalTimeTest, MidnightIsTheLocalStartOfTheDay) {
  EXPECT_EQ(LocalMidnight(1121445000), 1121378400);  // 15 July, summer time
  EXPECT_EQ(LocalMidnight(1111885200), 1111878000);  // the day the clocks go forward
  EXPECT_EQ(LocalMidnight(2005, 3, 28), 1111960800);
  EXPECT_EQ(LocalMidnight(2005, 3, 28) - LocalMidnight(2005, 3, 27), kSecondsPerDay - 3600);
}

TEST_F(LocalTimeTest, FixedLocalTimeReplacesTheSystemClock) {
  {
    test_support::ScopedEnvironmentVariable winter("TAVIR_NOW", "2005-11-10T16:42:17");
    EXPECT_EQ(CurrentTime(), 1131637337);
    test_support::ScopedEnvironmentVariable summer("TAVIR_NOW", "2005-07-15T18:30:00");
    EXPECT_EQ(CurrentTime(), 1121445000);
  }
  test_support::ScopedEnvironmentVariable now("TAVIR_NOW", std::nullopt);
  const auto before = std::time(nullptr);
  const TimeValue current = CurrentTime();
  EXPECT_GE(current, before);
  EXPECT_LE(current, std::time(nullptr));
}

TEST_F(LocalTimeTest, MalformedFixedTimeIsAConfigurationError) {
  const char* const malformed[] = {
      "2005-11-10 16:42:17", "2005-11-10T16:42",     "2005-13-10T16:42:17", "2005-02-29T10:00:00",
      "2005-11-10T24:00:00", "2005-11-10T16:60:00",  "1969-12-31T23:00:00", "2040-01-01T00:00:00",
      "yesterday",           "2005-11-10T16:42:17Z", "2005-1-10T16:42:17",  "+005-11-10T16:42:17",
  };
  for (const char* text : malformed) {
    test_support::ScopedEnvironmentVariable now("TAVIR_NOW", text);
    try {
      CurrentTime();
      ADD_FAILURE() << text << " was accepted";
    } catch (const ConfigurationError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find("TAVIR_NOW"), std::string::npos) << message;
      EXPECT_NE(message.find(text), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace tavir
