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

using test_support::ScopedEnvironmentVariable;

class CsvTypedRead : public ::testing::Test {
 protected:
  void SetUp() override {
    test_support::PinCentralEuropeanTime();
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

TEST_F(CsvTypedRead, DatesAndTimesOfToday) {
  const struct {
    char kind;  // d: ReadDate, t: ReadTime
    const char* text;
    int result;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;  // when result is 0
  } cases[] = {
      {'d', "10/26/2005", 0, 2005, 10, 26, 0, 0},
      {'d', " 3/4/05 ", 0, 2005, 3, 4, 0, 0},
      {'d', "12/31/2031", 0, 2031, 12, 31, 0, 0},
      {'d', "1/2/1970", 0, 1970, 1, 2, 0, 0},
      // Days no datebook query sees: the appointment would be stored out of sight.
      {'d', "1/1/1970", -1},
      {'d', "7/4/1869", -1},                               // a century on is still 1969
      {'d', "1/1/100", -1},                                // 2000 years before any TimeValue
      {'d', "10/26/2005 9:00 AM", 0, 2005, 10, 26, 0, 0},  // a time after the date is allowed
      {'d', "10:00", 0, 1999, 12, 30, 0, 0},               // the parser's day zero, a century on
      {'d', "1/1/69", -1},                                 // 1969 becomes 2069
      {'d', "1/1/2032", -1},
      {'d', "Date", -1},
      {'d',
       "\xEF\xBB\xBF"
       "10/26/2005",
       -1},  // a byte-order mark is not blank
      {'d', "", -2},
      {'d', " \t ", -2},
      // Times of day lie on a fixed January day, whatever today is.
      {'t', "9:15 PM", 0, 2001, 1, 15, 21, 15},
      {'t', "9:15:59 PM", 0, 2001, 1, 15, 21, 15},
      {'t', "10/26/2005 9:00 AM", 0, 2001, 1, 15, 9, 0},  // the date is ignored
      {'t', "0:00", 0, 2001, 1, 15, 0, 0},
      {'t', "lunch", -1},
      {'t', "  ", -2},
  };
  for (const auto& c : cases) {
    auto file = FieldFile(c.text);
    TimeValue value = 12345;
    EXPECT_EQ(c.kind == 'd' ? file->ReadDate(value) : file->ReadTime(value), c.result) << c.text;
    EXPECT_EQ(file->GetLastField(), c.text);
    const TimeValue expected = BuildLocal(c.year, c.month, c.day, c.hour, c.minute, 0);
    EXPECT_EQ(value, c.result == 0 ? expected : 12345) << c.text;
  }
}

TEST_F(CsvTypedRead, SpansInHoursAndIntegersTakeTheLeadingNumber) {
  const struct {
    char kind;  // s: ReadSpan, i: ReadInt and ReadLong
    const char* text;
    int result;
    std::int32_t value;
  } cases[] = {
      {'s', "1.5", 0, 5400},      {'s', "1,5", 0, 3600},     {'s', " -0.5 ", 0, -1800},
      {'s', "+2", 0, 7200},       {'s', "1e3", 0, 3600000},  {'s', ".25", 0, 900},
      {'s', "0.00014", 0, 1},     {'s', "0.0001", 0, 0},     {'s', "1e-400", 0, 0},
      {'s', "hours", 0, 0},       {'s', "+-1", 0, 0},        {'s', "596523.235", 0, 2147483646},
      {'s', "596524", -1, 7},     {'s', "1e10", -1, 7},      {'s', "-1e400", -1, 7},
      {'s', "inf", -1, 7},        {'s', "nan", -1, 7},       {'s', "", -2, 7},
      {'i', "42", 0, 42},         {'i', " 42x", 0, 42},      {'i', "-7", 0, -7},
      {'i', "+5", 0, 5},          {'i', "x1", 0, 0},         {'i', "", 0, 0},
      {'i', "15", 0, 15},         {'i', "- 3", 0, 0},        {'i', "2147483647", 0, 2147483647},
      {'i', "99999999999999999999", 0, 2147483647},          {'i', "-2147483648", 0, -2147483647 - 1},
      {'i', "-99999999999", 0, -2147483647 - 1},
  };
  for (const auto& c : cases) {
    std::int32_t value = 7;
    auto file = FieldFile(c.text);
    EXPECT_EQ(c.kind == 's' ? file->ReadSpan(value) : file->ReadInt(value), c.result) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
    if (c.kind == 'i') {
      std::int32_t longValue = 7;
      EXPECT_EQ(FieldFile(c.text)->ReadLong(longValue), 0) << c.text;
      EXPECT_EQ(longValue, c.value) << c.text;
    }
  }
}

}  // namespace
}  // namespace tavir
