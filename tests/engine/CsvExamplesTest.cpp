// The example files of the CSV format (English (United States) settings,
// double quote, comma; Central European time, a fixed clock) byte for byte, written from records through the field
// writers and read back through the record reader into the same records.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/RecordExamples.h"
#include "model/Options.h"

namespace tavir {
namespace {

std::string ReadDataFile(const std::string& name) {
  std::ifstream in(std::string(TAVIR_TEST_DATA) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

class CsvExamples : public test_support::PinnedEnUsTest {
 protected:
  void SetUp() override {
    PinnedEnUsTest::SetUp();
    options_.quote = "\"";
    options_.separator = ",";
  }
  Options options_;
};

TEST_F(CsvExamples, SimpleFormat) {
  options_.fullformat = 0;
  const std::vector<test_support::RecordMaker> records = {test_support::MakeMeeting,
                                                          test_support::MakeHoliday};
  const std::string golden = ReadDataFile("csv-example-simple.csv");
  EXPECT_EQ(test_support::WriteCsv(options_, records), golden);
  test_support::ExpectReadBack(options_, golden, records);
}

TEST_F(CsvExamples, FullFormatWritesRepeatColumnsOnlyForRepeatingAppointments) {
  options_.fullformat = 1;
  const std::vector<test_support::RecordMaker> records = {test_support::MakeTeamCall,
                                                          test_support::MakeMeeting};
  const std::string golden = ReadDataFile("csv-example-full.csv");
  EXPECT_EQ(test_support::WriteCsv(options_, records), golden);
  test_support::ExpectReadBack(options_, golden, records);
}

TEST_F(CsvExamples, DateWithTimeWritesTheDateBeforeEachTime) {
  options_.fullformat = 0;
  options_.datewithtime = 1;
  const std::string golden = ReadDataFile("csv-example-simple.csv");
  const std::string expected =
      Replace(Replace(golden.substr(0, golden.find("\"10/27/2005\"")), "\"9:00 AM\"",
                      "\"10/26/2005 9:00 AM\""),
              "\"10:30 AM\"", "\"10/26/2005 10:30 AM\"");
  const std::string bytes = test_support::WriteCsv(options_, {test_support::MakeMeeting});
  EXPECT_EQ(bytes, expected);
  test_support::ExpectReadBack(options_, bytes, {test_support::MakeMeeting});
}

}  // namespace
}  // namespace tavir
