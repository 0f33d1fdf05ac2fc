// The options dialog's file format example: the header and the sample record
// as the current options write them. Pinned to en-US, Central European time
// and a fixed clock.
#include <gtest/gtest.h>

#include <string>

#include "engine/RecordExamples.h"
#include "ui/ExampleText.h"

namespace tavir {
namespace {

class ExampleText : public test_support::PinnedEnUsTest {
 protected:
  void SetUp() override {
    PinnedEnUsTest::SetUp();
    options_.separator = ";";
    options_.quote = "'";
  }
  Options options_;
};

const char kSimpleHeader[] =
    "'Date';'Untimed';'Start Time';'End Time';'Private';'Text';'Note';'Alarm';'Alarm Time';"
    "'Alarm Unit';'Category';'Location';'Repeat'";

// The sample keeps the times a fresh record has: 0, shown as its local time
// of day (1:00 AM in Central European time; under Wine the zone the runner
// gives) on the sample's day.
std::string FreshTime() {
  const LocalFields zero = SplitLocal(0);
  return FormatTimeNoSeconds(zero.hour, zero.minute, 0);
}

TEST_F(ExampleText, SimpleFormatShowsTheHeaderAndTheSampleRecord) {
  options_.fullformat = 0;
  EXPECT_EQ(BuildExampleText(options_),
            std::string(kSimpleHeader) +
                "\r\n'11/10/2005';'';'" + FreshTime() + "';'" + FreshTime() +
                "';'';'Sample Appointment Title';"
                "'Appointment Note';'';'';'';'Unfiled';'Room 101';''\r\n");
}

TEST_F(ExampleText, DateWithTimeShowsTheDateInEachTimeColumn) {
  options_.fullformat = 0;
  options_.datewithtime = 1;
  const std::string text = BuildExampleText(options_);
  const std::string time = "'11/10/2005 " + FreshTime() + "'";
  EXPECT_NE(text.find(";" + time + ";" + time + ";"), std::string::npos) << text;
}

TEST_F(ExampleText, FullFormatShowsADailyRepeatEndingTomorrow) {
  options_.fullformat = 1;
  EXPECT_EQ(BuildExampleText(options_),
            std::string(kSimpleHeader) +
                ";'Repeat Type';'Repeat Interval';'Repeat End Date';'Exceptions';'Weekly Sunday';"
                "'Weekly Monday';'Weekly Tuesday';'Weekly Wednesday';'Weekly Thursday';"
                "'Weekly Friday';'Weekly Saturday';'Monthly Week Index'\r\n"
                "'11/10/2005';'';'" + FreshTime() + "';'" + FreshTime() +
                "';'';'Sample Appointment Title';"
                "'Appointment Note';'';'';'';'Unfiled';'Room 101';'x';'Daily';'1';'11/11/2005';"
                "'';'';'';'';'';'';'';'';''\r\n");
}

TEST_F(ExampleText, FollowsTheMappingAndShowsQuotesUndoubled) {
  options_.fullformat = 0;
  options_.quote = "\"";
  options_.separator = ",";
  options_.mapping.simpleFields = {5, 32, 14};
  EXPECT_EQ(BuildExampleText(options_),
            "\"Text\",\"(Ignored)\",\"Record ID\"\r\n\"Sample Appointment Title\",\"\",\"0\"\r\n");
}

}  // namespace
}  // namespace tavir
