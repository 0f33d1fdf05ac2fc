// The example files of the CSV format (English (United States) settings,
// double quote, comma; Central European time, a fixed clock) byte for byte,
// written from records through the field writers and read back through the
// record reader into the same records.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/RecordExamples.h"
#include "model/Options.h"
#include "support/ScratchDirectory.h"

namespace tavir {
namespace {

using test_support::RecordMaker;
using CsvExamples = test_support::PinnedEnUsTest;

// Date with time writes the date before each time; the golden file has none.
std::string WithDateBeforeTimes(std::string text) {
  for (const char* time : {"\"9:00 AM\"", "\"10:30 AM\""}) {
    const std::size_t at = text.find(time);
    EXPECT_NE(at, std::string::npos) << time;
    if (at != std::string::npos)
      text.insert(at + 1, "10/26/2005 ");
  }
  return text;
}

TEST_F(CsvExamples, AreWrittenAndReadBack) {
  const std::string simple =
      test_support::ReadFileBytes(std::string(TAVIR_TEST_DATA) + "/csv-example-simple.csv");
  const std::string full =
      test_support::ReadFileBytes(std::string(TAVIR_TEST_DATA) + "/csv-example-full.csv");
  const struct {
    const char* what;
    bool fullFormat, dateWithTime;
    std::vector<RecordMaker> records;
    std::string file;
  } cases[] = {
      {"simple", false, false, {test_support::MakeMeeting, test_support::MakeHoliday}, simple},
      // Repeat columns only for repeating appointments.
      {"full", true, false, {test_support::MakeTeamCall, test_support::MakeMeeting}, full},
      {"date with time",
       false,
       true,
       {test_support::MakeMeeting},
       WithDateBeforeTimes(simple.substr(0, simple.find("\"10/27/2005\"")))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_FALSE(simple.empty() || full.empty()) << "the golden files are missing";
    Options options;  // en-US: comma and double quote
    options.fullformat = c.fullFormat;
    options.datewithtime = c.dateWithTime;
    EXPECT_EQ(test_support::WriteCsv(options, c.records), c.file);
    test_support::ExpectReadBack(options, c.file, c.records);
  }
}

}  // namespace
}  // namespace tavir
