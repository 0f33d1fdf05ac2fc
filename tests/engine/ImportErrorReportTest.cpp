// The message of a faulty import record: its lines, today's date or time as
// the example the date and time messages give, the buttons and the answer.
// Pinned to en-US, Central European time and a fixed clock.
#include <string>

#include <gtest/gtest.h>

#include "engine/RecordExamples.h"
#include "support/FakeShell.h"

namespace tavir {
namespace {

// Windows keeps the resource texts; elsewhere there are no Windows Regional
// Settings to point the user to.
#if defined(_WIN32)
#define REGIONAL_SETTINGS "(Windows Regional Settings)"
#else
#define REGIONAL_SETTINGS "(regional settings)"
#endif

class ImportErrorReport : public test_support::PinnedEnUsTest {
 protected:
  test_support::FakeShell shell_;
  test_support::InstalledShell installed_{shell_};
};

TEST_F(ImportErrorReport, MessagesOfEveryCode) {
  const std::string head = "Error reading C:\\data\\import.csv line 5\n\"13/45/2005\"\n";
  const struct {
    int code;  // the numbers a message id is built from, out-of-range ones too
    std::string tail;
  } cases[] = {
      {101, "Invalid date. Expected e.g. \"11/10/2005\"\n" REGIONAL_SETTINGS},
      {102, "Invalid start time. Expected e.g. \"4:42 PM\"\n" REGIONAL_SETTINGS},
      {103, "Invalid end time. Expected e.g. \"4:42 PM\"\n" REGIONAL_SETTINGS},
      {104, "No appointment text given."},
      {105, "Invalid alarm time.\nMust be a non-negative number."},
      {106, "Invalid alarm unit. \nMust be d (for days), h (for hours), or m (for minutes)."},
      {107, "Invalid repeat interval.\nMust be a positive number."},
      {108, "Invalid repeat end date. Expected e.g. \"11/10/2005\"\n" REGIONAL_SETTINGS},
      {109, "No week day for weekly repeat appointment."},
      {110, "Invalid week index for monthly repeat appointment. \nMust be a number from 1 to 5."},
      {111, "Invalid repeat type. \nMust be Daily, Weekly, Monthly Date, Monthly Day, or Yearly."},
      {112,
       "Invalid exception date for repeat appointment.\nExpected e.g. "
       "\"11/10/2005\"\n" REGIONAL_SETTINGS},
      {113, "Invalid ID "},
      {100, ""},
      {114, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(
        ImportErrorText(static_cast<FieldResult>(c.code), "C:\\data\\import.csv", 5, "13/45/2005"),
        head + c.tail)
        << c.code;
  }
}

// A 32 KB note must not fill the terminal or the message box; without a
// field there are no quotes, and the file name is no format.
TEST_F(ImportErrorReport, AFieldIsQuotedWithOneLineOfAtMost200Bytes) {
  const struct {
    std::string field, quoted;
  } cases[] = {{"one\r\ntwo", "\"one...\"\n"},
               {std::string(200, 'x'), "\"" + std::string(200, 'x') + "\"\n"},
               {std::string(40000, 'x'), "\"" + std::string(200, 'x') + "...\"\n"},
               {"", ""}};
  for (const auto& c : cases)
    EXPECT_EQ(ImportErrorText(FieldResult::NoAppointmentText, "a%sb.csv", 2, c.field),
              "Error reading a%sb.csv line 2\n" + c.quoted + "No appointment text given.");
}

TEST_F(ImportErrorReport, OkGoesOnAndCancelStops) {
  shell_.QueueAnswer(MessageAnswer::Ok);
  shell_.QueueAnswer(MessageAnswer::Cancel);
  EXPECT_TRUE(ReportImportError(FieldResult::InvalidAlarmUnit, "f.csv", 3, "hours"));
  EXPECT_FALSE(ReportImportError(FieldResult::InvalidAlarmUnit, "f.csv", 4, "weeks"));
  ASSERT_EQ(shell_.Messages().size(), 2u);
  const test_support::ShownMessage& shown = shell_.Messages()[1];
  EXPECT_EQ(shown.text, ImportErrorText(FieldResult::InvalidAlarmUnit, "f.csv", 4, "weeks"));
  EXPECT_EQ(shown.buttons, MessageButtons::OkCancel);
  EXPECT_EQ(shown.icon, MessageIcon::Stop);
}

}  // namespace
}  // namespace tavir
