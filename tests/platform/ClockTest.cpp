// Clock port: TAVIR_NOW replaces the system clock; a malformed value is a
// configuration error that names the variable.
#include <gtest/gtest.h>

#include <ctime>

#include "platform/Clock.h"
#include "platform/ConfigurationError.h"
#include "support/Environment.h"

namespace tavir {
namespace {

class ClockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::PinCentralEuropeanTime();
    ASSERT_TRUE(testing::CentralEuropeanTimeIsActive());
  }
};

TEST_F(ClockTest, FixedLocalTimeReplacesTheSystemClock) {
  {
    testing::ScopedEnvironmentVariable winter("TAVIR_NOW", "2005-11-10T16:42:17");
    EXPECT_EQ(CurrentTime(), 1131637337);
    testing::ScopedEnvironmentVariable summer("TAVIR_NOW", "2005-07-15T18:30:00");
    EXPECT_EQ(CurrentTime(), 1121445000);
  }
  testing::ScopedEnvironmentVariable now("TAVIR_NOW", std::nullopt);
  const auto before = std::time(nullptr);
  const TimeValue current = CurrentTime();
  EXPECT_GE(current, before);
  EXPECT_LE(current, std::time(nullptr));
}

TEST_F(ClockTest, MalformedFixedTimeIsAConfigurationError) {
  const char* const malformed[] = {
      "2005-11-10 16:42:17", "2005-11-10T16:42",     "2005-13-10T16:42:17",
      "2005-02-29T10:00:00", "2005-11-10T24:00:00", "2005-11-10T16:60:00",
      "1969-12-31T23:00:00", "2040-01-01T00:00:00", "yesterday",
      "2005-11-10T16:42:17Z", "2005-1-10T16:42:17",  "+005-11-10T16:42:17",
  };
  for (const char* text : malformed) {
    testing::ScopedEnvironmentVariable now("TAVIR_NOW", text);
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
