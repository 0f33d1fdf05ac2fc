// Typed reads of CSV fields: dates with the year rules, times of today,
// durations and integers with the C conversions' leniency but no overflow.
// Pinned to en-US, Central European time and a fixed clock.
#include <memory>
#include <string>

#include <gtest/gtest.h>

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
    EXPECT_EQ(file->ReadRecord(), RecordResult::Read);
    return file;
  }

  ScopedEnvironmentVariable locale_{"TAVIR_LOCALE", std::string("en-US")};
  ScopedEnvironmentVariable now_{"TAVIR_NOW", std::string("2005-11-10T16:42:17")};
};

TEST_F(CsvTypedRead, DatesAndTimesOfToday) {
  const struct {
    char kind;  // d: ReadDate, t: ReadTime
    const char* text;
    ReadResult result;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;  // when result is 0
  } cases[] = {
      {'d', "10/26/2005", ReadResult::Valid, 2005, 10, 26, 0, 0},
      {'d', " 3/4/05 ", ReadResult::Valid, 2005, 3, 4, 0, 0},
      {'d', "12/31/2031", ReadResult::Valid, 2031, 12, 31, 0, 0},
      {'d', "1/2/1970", ReadResult::Valid, 1970, 1, 2, 0, 0},
      // Days no datebook query sees: the appointment would be stored out of sight.
      {'d', "1/1/1970", ReadResult::Invalid},
      {'d', "7/4/1869", ReadResult::Invalid},  // a century on is still 1969
      {'d', "1/1/100", ReadResult::Invalid},   // 2000 years before any TimeValue
      {'d', "10/26/2005 9:00 AM", ReadResult::Valid, 2005, 10, 26, 0,
       0},                                                    // a time after the date is allowed
      {'d', "10:00", ReadResult::Valid, 1999, 12, 30, 0, 0},  // the parser's day zero, a century on
      {'d', "1/1/69", ReadResult::Invalid},                   // 1969 becomes 2069
      {'d', "1/1/2032", ReadResult::Invalid},
      {'d', "Date", ReadResult::Invalid},
      {'d',
       "\xEF\xBB\xBF"
       "10/26/2005",
       ReadResult::Invalid},  // a byte-order mark is not blank
      {'d', "", ReadResult::Empty},
      {'d', " \t ", ReadResult::Empty},
      // Times of day lie on a fixed January day, whatever today is.
      {'t', "9:15 PM", ReadResult::Valid, 2001, 1, 15, 21, 15},
      {'t', "9:15:59 PM", ReadResult::Valid, 2001, 1, 15, 21, 15},
      {'t', "10/26/2005 9:00 AM", ReadResult::Valid, 2001, 1, 15, 9, 0},  // the date is ignored
      {'t', "0:00", ReadResult::Valid, 2001, 1, 15, 0, 0},
      {'t', "lunch", ReadResult::Invalid},
      {'t', "  ", ReadResult::Empty},
  };
  for (const auto& c : cases) {
    auto file = FieldFile(c.text);
    TimeValue value = 12345;
    EXPECT_EQ(c.kind == 'd' ? file->ReadDate(value) : file->ReadTime(value), c.result) << c.text;
    EXPECT_EQ(file->GetLastField(), c.text);
    const TimeValue expected = BuildLocal(c.year, c.month, c.day, c.hour, c.minute, 0);
    EXPECT_EQ(value, c.result == ReadResult::Valid ? expected : 12345) << c.text;
  }
}

TEST_F(CsvTypedRead, SpansInHoursAndIntegersTakeTheLeadingNumber) {
  const struct {
    char kind;  // s: ReadSpan, i: ReadInt and ReadLong
    const char* text;
    ReadResult result;
    std::int32_t value;
  } cases[] = {
      {'s', "1.5", ReadResult::Valid, 5400},
      {'s', "1,5", ReadResult::Valid, 3600},
      {'s', " -0.5 ", ReadResult::Valid, -1800},
      {'s', "+2", ReadResult::Valid, 7200},
      {'s', "1e3", ReadResult::Valid, 3600000},
      {'s', ".25", ReadResult::Valid, 900},
      {'s', "0.00014", ReadResult::Valid, 1},
      {'s', "0.0001", ReadResult::Valid, 0},
      {'s', "1e-400", ReadResult::Valid, 0},
      {'s', "hours", ReadResult::Valid, 0},
      {'s', "+-1", ReadResult::Valid, 0},
      {'s', "596523.235", ReadResult::Valid, 2147483646},
      {'s', "596524", ReadResult::Invalid, 7},
      {'s', "1e10", ReadResult::Invalid, 7},
      {'s', "-1e400", ReadResult::Invalid, 7},
      {'s', "inf", ReadResult::Invalid, 7},
      {'s', "nan", ReadResult::Invalid, 7},
      {'s', "", ReadResult::Empty, 7},
      {'i', "42", ReadResult::Valid, 42},
      {'i', " 42x", ReadResult::Valid, 42},
      {'i', "-7", ReadResult::Valid, -7},
      {'i', "+5", ReadResult::Valid, 5},
      {'i', "x1", ReadResult::Valid, 0},
      {'i', "", ReadResult::Valid, 0},
      {'i', "15", ReadResult::Valid, 15},
      {'i', "- 3", ReadResult::Valid, 0},
      {'i', "2147483647", ReadResult::Valid, 2147483647},
      {'i', "99999999999999999999", ReadResult::Valid, 2147483647},
      {'i', "-2147483648", ReadResult::Valid, -2147483647 - 1},
      {'i', "-99999999999", ReadResult::Valid, -2147483647 - 1},
  };
  for (const auto& c : cases) {
    std::int32_t value = 7;
    auto file = FieldFile(c.text);
    EXPECT_EQ(c.kind == 's' ? file->ReadSpan(value) : file->ReadInt(value), c.result) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
    if (c.kind == 'i') {
      std::int32_t longValue = 7;
      EXPECT_EQ(FieldFile(c.text)->ReadLong(longValue), ReadResult::Valid) << c.text;
      EXPECT_EQ(longValue, c.value) << c.text;
    }
  }
}

}  // namespace
}  // namespace tavir
