// Writing the repeat rule and the exception dates of an imported record, and
// the tokens and year rules of the exception text.
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/ExceptionDates.h"
#include "host/HostFixture.h"
#include "host/Transfer.h"

namespace tavir {
namespace {

using test_support::HostFixture;

class WriteRepeatTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    record_.text = "Standup";
    record_.note = "daily";
    record_.date = BuildLocal(2005, 1, 3, 0, 0, 0);  // a Monday
    record_.startTime = BuildLocal(2005, 1, 3, 9, 0, 0);
    record_.endTime = BuildLocal(2005, 1, 3, 9, 15, 0);
    record_.repeat = 1;
    record_.repeatType = Daily;
    record_.repeatInterval = 1;
  }
};

TEST_F(WriteRepeatTest, RuleByType) {
  const TimeValue end = BuildLocal(2005, 6, 30, 0, 0, 0);
  const struct {
    const char* what;
    std::int32_t type, interval, weekIndex;
    std::uint8_t weekDays;
    TimeValue repeatEnd;
    RepeatRule expected;
  } cases[] = {
      {"daily, no end", Daily, 2, 3, 0x7F, 0, {Daily, 2, 0, 0}},
      {"weekly", Weekly, 1, 3, 2 | 32, end, {Weekly, 1, end, 2 | 32}},
      {"monthly by day", MonthlyDay, 1, 4, 0x7F, end, {MonthlyDay, 1, end, 4}},
      {"monthly by date", MonthlyDate, 6, 2, 0x7F, end, {MonthlyDate, 6, end, 0}},
      {"yearly", Yearly, 1, 2, 0x7F, 0, {Yearly, 1, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    record_.repeatType = c.type;
    record_.repeatInterval = c.interval;
    record_.monthlyWeekIndex = c.weekIndex;
    record_.weekDays = c.weekDays;
    record_.repeatEnd = c.repeatEnd;
    const auto [result, stored] = Add();
    EXPECT_EQ(result, 0);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->repeat, c.expected);
  }
}

TEST_F(WriteRepeatTest, EndOnOrBeforeTheDateAndUnknownTypesKeepASingleAppointment) {
  const struct {
    const char* what;
    std::int32_t type;
    TimeValue repeatEnd;
    int expected;
  } cases[] = {
      {"end on the date", Daily, BuildLocal(2005, 1, 3, 0, 0, 0), 0},
      {"end the day before", Daily, BuildLocal(2005, 1, 2, 0, 0, 0), 108},
      {"type 0", 0, 0, 111},
      {"type 6", 6, 0, 111},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    record_.repeatType = c.type;
    record_.repeatEnd = c.repeatEnd;
    record_.exceptions = "1/4/2005";
    const auto [result, stored] = Add();
    EXPECT_EQ(result, c.expected);
    ASSERT_TRUE(stored) << "the appointment stays";
    EXPECT_FALSE(stored->Repeats());
    EXPECT_TRUE(stored->exceptions.empty());
    EXPECT_EQ(WideToAnsi(stored->note), "daily") << "every other field was written";
  }
  EXPECT_TRUE(shell_.Messages().empty());
}

TEST_F(WriteRepeatTest, ExceptionDates) {
  const TimeValue jan4 = BuildLocal(2005, 1, 4, 0, 0, 0);
  const TimeValue jan9 = BuildLocal(2005, 1, 9, 0, 0, 0);
  const struct {
    const char* what;
    const char* separator;
    const char* exceptions;
    int expected;
    std::set<TimeValue> days;
  } cases[] = {
      {"comma", ",", "1/4/2005,1/9/2005", 0, {jan4, jan9}},
      {"blank", " ", "1/4/2005 1/9/2005", 0, {jan4, jan9}},
      {"only the first separator character splits", "; ", "1/4/2005; 1/9/2005", 0, {jan4, jan9}},
      {"a trailing separator", ",", "1/4/2005,", 0, {jan4}},
      {"with times of day, on the 23-hour day",
       ",",
       "1/4/2005 10:00 AM,3/27/2005 11:30 PM",
       0,
       {jan4, BuildLocal(2005, 3, 27, 0, 0, 0)}},
      {"two-digit years", ",", "1/4/05,1/9/05", 0, {jan4, jan9}},
      {"no separator: one token", "", "1/4/2005 1/9/2005", 112, {}},
      {"an empty token", ",", "1/4/2005,,1/9/2005", 112, {jan4}},
      {"a bad date after a good one", ",", "1/4/2005,13/45/2005,1/9/2005", 112, {jan4}},
      {"the last allowed year", ",", "12/31/2031", 0, {BuildLocal(2031, 12, 31, 0, 0, 0)}},
      {"a year after 2031", ",", "1/4/2005,1/1/2032", 112, {jan4}},
      {"1950 becomes 2050", ",", "1/1/1950", 112, {}},
      {"a time alone is 30 December 1899, moved on a century",
       ",",
       "10:00 AM",
       0,
       {BuildLocal(1999, 12, 30, 0, 0, 0)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    options_.exceptiondateseparator = c.separator;
    record_.exceptions = c.exceptions;
    const auto [result, stored] = Add();
    EXPECT_EQ(result, c.expected);
    ASSERT_TRUE(stored);
    EXPECT_TRUE(stored->Repeats());
    EXPECT_EQ(stored->exceptions, c.days);
  }
}

std::vector<std::string> Tokens(std::string text, std::optional<char> separator) {
  std::vector<std::string> tokens;
  while (!text.empty())
    tokens.push_back(TakeExceptionToken(text, separator));
  return tokens;
}

TEST(ExceptionDatesTest, Tokens) {
  using T = std::vector<std::string>;
  const struct {
    const char* text;
    std::optional<char> separator;
    T tokens;
  } cases[] = {
      {"a,b", ',', T{"a", "b"}},
      {"a; b", ';', T{"a", " b"}},
      {"\"a\",\"b\"", ',', T{"a\"", "b\""}},  // only the opening quote goes
      {"\"\"a", ',', T{"\"a"}},               // only one of them
      {"a,,b,", ',', T{"a", "", "b"}},
      {",", ',', T{""}},
      {"a b", std::nullopt, T{"a b"}},
      {"\"a b", std::nullopt, T{"a b"}},
      {"\"", ',', T{""}},
      {"a\"b", '"', T{"a", "b"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Tokens(c.text, c.separator), c.tokens) << c.text;
}

TEST(ExceptionDatesTest, YearRules) {
  const struct {
    int parsed;
    std::optional<int> year;
  } cases[] = {
      // clang-format off
      {5, 2005}, {0, 2000}, {29, 2029}, {31, 2031}, {32, std::nullopt}, {69, std::nullopt},
      {70, 1970}, {99, 1999}, {1899, 1999}, {1950, std::nullopt}, {1969, std::nullopt},
      {1970, 1970}, {2031, 2031}, {2032, std::nullopt}, {9999, std::nullopt},
      // clang-format on
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExceptionYear(c.parsed), c.year) << c.parsed;
}

}  // namespace
}  // namespace tavir
