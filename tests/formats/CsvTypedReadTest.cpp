// Typed reads of CSV fields: dates with the year rules, times of today,
// durations and integers with the C conversions' leniency but no overflow.
// Pinned to en-US, Central European time and a fixed clock.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "formats/CsvFile.h"
#include "formats/MemoryBytes.h"
#include "platform/LocalTime.h"
#include "platform/Locale.h"
#include "support/Environment.h"

namespace tavir {
namespace {

using testing::ScopedEnvironmentVariable;

class CsvTypedRead : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::PinCentralEuropeanTime();
    ASSERT_EQ(ActiveLocaleName(), "en-US") << "needs the user locale en-US";
  }

  // A file whose one record holds the single field text, quoted.
  std::unique_ptr<CsvFile> FieldFile(const std::string& text) {
    auto file = std::make_unique<CsvFile>();
    file->OpenRead(std::make_unique<MemoryByteSource>("\"" + text + "\"\r\n"));
    EXPECT_EQ(file->ReadRecord(), 0);
    return file;
  }

  ScopedEnvironmentVariable locale_{"TAVIR_LOCALE", std::string("en-US")};
  ScopedEnvironmentVariable now_{"TAVIR_NOW", std::string("2005-11-10T16:42:17")};
};

struct DateCase {
  const char* text;
  int result;
  int year, month, day;  // when result is 0
};

TEST_F(CsvTypedRead, Dates) {
  const DateCase cases[] = {
      {"10/26/2005", 0, 2005, 10, 26},
      {" 3/4/05 ", 0, 2005, 3, 4},
      {"12/31/2031", 0, 2031, 12, 31},
      {"1/1/1970", 0, 1970, 1, 1},
      {"10/26/2005 9:00 AM", 0, 2005, 10, 26},  // a time after the date is allowed
      {"10:00", 0, 1999, 12, 30},               // the parser's day zero, a century on
      {"1/1/69", -1, 0, 0, 0},                  // 1969 becomes 2069
      {"1/1/2032", -1, 0, 0, 0},
      {"Date", -1, 0, 0, 0},
      {"\xEF\xBB\xBF" "10/26/2005", -1, 0, 0, 0},  // a byte-order mark is not blank
      {"", -2, 0, 0, 0},
      {" \t ", -2, 0, 0, 0},
  };
  for (const DateCase& c : cases) {
    auto file = FieldFile(c.text);
    TimeValue value = 12345;
    EXPECT_EQ(file->ReadDate(value), c.result) << c.text;
    EXPECT_EQ(file->GetLastField(), c.text);
    EXPECT_EQ(value, c.result == 0 ? LocalMidnight(c.year, c.month, c.day) : 12345) << c.text;
  }
}

TEST_F(CsvTypedRead, TimesAreOfToday) {
  const struct {
    const char* text;
    int result, hour, minute;
  } cases[] = {
      {"9:15 PM", 0, 21, 15},
      {"9:15:59 PM", 0, 21, 15},
      {"10/26/2005 9:00 AM", 0, 9, 0},  // the date is ignored
      {"0:00", 0, 0, 0},
      {"lunch", -1, 0, 0},
      {"  ", -2, 0, 0},
  };
  for (const auto& c : cases) {
    auto file = FieldFile(c.text);
    TimeValue value = 12345;
    EXPECT_EQ(file->ReadTime(value), c.result) << c.text;
    EXPECT_EQ(value, c.result == 0 ? BuildLocal(2005, 11, 10, c.hour, c.minute, 0) : 12345)
        << c.text;
  }
}

TEST_F(CsvTypedRead, SpansInHours) {
  const struct {
    const char* text;
    int result;
    std::int32_t seconds;
  } cases[] = {
      {"1.5", 0, 5400},      {"1,5", 0, 3600},        {" -0.5 ", 0, -1800},
      {"+2", 0, 7200},       {"1e3", 0, 3600000},     {".25", 0, 900},
      {"0.00014", 0, 1},     {"0.0001", 0, 0},        {"1e-400", 0, 0},
      {"hours", 0, 0},       {"+-1", 0, 0},           {"596523.235", 0, 2147483646},
      {"596524", -1, 7},     {"1e10", -1, 7},         {"-1e400", -1, 7},
      {"inf", -1, 7},        {"nan", -1, 7},          {"", -2, 7},
  };
  for (const auto& c : cases) {
    auto file = FieldFile(c.text);
    std::int32_t seconds = 7;
    EXPECT_EQ(file->ReadSpan(seconds), c.result) << c.text;
    EXPECT_EQ(seconds, c.seconds) << c.text;
  }
}

TEST_F(CsvTypedRead, IntegersTakeTheLeadingNumber) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"42", 42},          {" 42x", 42},        {"-7", -7},
      {"+5", 5},           {"x1", 0},           {"", 0},
      {"15", 15},          {"- 3", 0},          {"2147483647", 2147483647},
      {"99999999999999999999", 2147483647},     {"-2147483648", -2147483647 - 1},
      {"-99999999999", -2147483647 - 1},
  };
  for (const auto& c : cases) {
    auto file = FieldFile(c.text);
    std::int32_t value = 7;
    EXPECT_EQ(file->ReadInt(value), 0) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
    auto again = FieldFile(c.text);
    std::int32_t longValue = 7;
    EXPECT_EQ(again->ReadLong(longValue), 0) << c.text;
    EXPECT_EQ(longValue, c.value) << c.text;
  }
}

}  // namespace
}  // namespace tavir
