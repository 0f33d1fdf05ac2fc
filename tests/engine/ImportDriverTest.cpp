// The import driver through the stand-alone datebook and the scripted shell:
// header detection, duplicates, updates by record id, the filter, error
// reports and where the import ends.
#include <map>

#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "engine/ImportDriver.h"
#include "platform/FaultInjector.h"
#include "platform/File.h"
#include "support/CsvLines.h"

namespace tavir::test_support {
namespace {

class ImportDriverTest : public EngineFixture {
 protected:
  int Import(const std::string& content, ImportSummary* summary = nullptr) {
    const std::string path = PathOf("import.csv");
    WriteFile(path, content);
    options_.separator = ",";
    return ImportFile(path, options_, nullptr, summary);
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& appointment : ActiveAppointments())
      texts.push_back(WideToAnsi(appointment->description));
    return texts;
  }
};

TEST_F(ImportDriverTest, TheHeaderIsSkippedAndABlankLineEndsTheImport) {
  const struct {
    const char* what;
    std::string content;
    std::vector<std::string> imported;
    std::string message = {};
  } cases[] = {
      {"empty file", "", {}},
      {"header only", kSimpleHeader, {}},
      {"header and records",
       kSimpleHeader + SimpleLine("11/1/2005", "one") + SimpleLine("11/2/2005", "two"),
       {"one", "two"}},
      {"no header: the first line is a record", SimpleLine("11/3/2005", "three"), {"three"}},
      {"no header: an invalid first record is lost without a message",
       SimpleLine("13/45/2005", "bad") + SimpleLine("11/4/2005", "four"),
       {"four"}},
      {"a blank line ends the data, and the user learns that more followed",
       kSimpleHeader + SimpleLine("11/5/2005", "five") + "\r\n\r\n" +
           SimpleLine("11/6/2005", "six"),
       {"five"},
       "The import ended at line 3 of " + PathOf("import.csv") +
           ", which has no date.\nLine 5 and the lines after it were not imported."},
      {"blank lines at the end are no data",
       kSimpleHeader + SimpleLine("11/7/2005", "seven") + "\r\n\r\n",
       {"seven"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& appointment : ActiveAppointments())
      data_->Delete(*appointment);
    const std::size_t before = shell_.Messages().size();
    EXPECT_EQ(Import(c.content), 0);
    EXPECT_EQ(Texts(), c.imported);
    if (c.message.empty()) {
      EXPECT_EQ(shell_.Messages().size(), before);
    } else {
      ASSERT_EQ(shell_.Messages().size(), before + 1);
      EXPECT_EQ(shell_.Messages().back().text, c.message);
    }
  }
}

// The category is no part of the comparison; half an hour later is another
// appointment. Without the check everything is added again.
TEST_F(ImportDriverTest, DuplicatesAreSkippedWithinAFileAndOnASecondImport) {
  const std::string file = kSimpleHeader + SimpleLine("11/1/2005", "one", "Work") +
                           SimpleLine("11/1/2005", "one", "Home") +
                           SimpleLine("11/1/2005", "one", "", "9:30 AM") +
                           SimpleLine("11/2/2005", "two");
  ImportSummary first, second;
  Import(file, &first);
  EXPECT_EQ(CountActive(), 3);
  EXPECT_EQ(first.duplicates, 1);
  Import(file, &second);
  EXPECT_EQ(CountActive(), 3);
  EXPECT_EQ(second.duplicates, 4);
  options_.noduplicates = 0;
  Import(file);
  EXPECT_EQ(CountActive(), 7);
}

TEST_F(ImportDriverTest, TimesOnDaylightSavingDaysAreKeptAndReimportAddsNothing) {
  // Imported on the day the clocks go forward (2:00 becomes 3:00 in Berlin).
  ScopedEnvironmentVariable now("TAVIR_NOW", std::string("2010-03-28T12:00:00"));

  const std::string file = kSimpleHeader +
                           SimpleLine("3/28/2010", "in the gap", "", "2:45 AM", "3:15 AM") +
                           SimpleLine("3/29/2010", "the next night", "", "2:30 AM", "3:00 AM") +
                           SimpleLine("3/29/2010", "default length", "", "1:30 AM", "");
  Import(file);
  std::map<std::string, std::pair<TimeValue, TimeValue>> stored;
  for (const auto& a : ActiveAppointments())
    stored[WideToAnsi(a->description)] = {a->start, a->end};
  using Times = std::pair<TimeValue, TimeValue>;
  EXPECT_EQ(stored["in the gap"], Times(UtcTime(2010, 3, 28, 1, 45), UtcTime(2010, 3, 28, 2, 15)));
  EXPECT_EQ(stored["the next night"],
            Times(UtcTime(2010, 3, 29, 0, 30), UtcTime(2010, 3, 29, 1, 0)));
  EXPECT_EQ(stored["default length"],
            Times(UtcTime(2010, 3, 28, 23, 30), UtcTime(2010, 3, 29, 0, 30)));
  ImportSummary summary;
  Import(file, &summary);
  EXPECT_EQ(summary.duplicates, 3);
  EXPECT_EQ(CountActive(), 3);
}

TEST_F(ImportDriverTest, KnownRecordIdUpdatesInPlaceAndAnUnknownOneAddsANewAppointment) {
  const auto existing = AddTimed(2005, 11, 1, 9, 0, 60, "old text");
  options_.mapping.simpleFields = {0, 1, 5, 14};
  const std::string known =
      "\"11/1/2005\",\"x\",\"new text\",\"" + std::to_string(existing->recordId) + "\"\r\n";
  Import(std::string("\"Date\",\"Untimed\",\"Text\",\"Record ID\"\r\n") + known + known);
  ASSERT_EQ(CountActive(), 1);
  EXPECT_EQ(WideToAnsi(data_->FindActive(existing->recordId)->description), "new text");

  Import("\"11/2/2005\",\"x\",\"other\",\"99999\"\r\n");
  EXPECT_EQ(CountActive(), 2);
  EXPECT_TRUE(shell_.Messages().empty());
}

TEST_F(ImportDriverTest, UpdatedAppointmentIsWhatLaterDuplicateChecksSee) {
  const auto existing = AddTimed(2005, 11, 1, 9, 0, 60, "before");
  options_.mapping.simpleFields = {0, 2, 3, 5, 14};
  const std::string id = std::to_string(existing->recordId);
  Import(
      "\"Date\",\"Start Time\",\"End Time\",\"Text\",\"Record ID\"\r\n"
      "\"11/1/2005\",\"9:00 AM\",\"10:00 AM\",\"before\",\"\"\r\n"  // duplicate of the original
      "\"11/1/2005\",\"9:00 AM\",\"10:00 AM\",\"after\",\"" +
      id +
      "\"\r\n"
      "\"11/1/2005\",\"9:00 AM\",\"10:00 AM\",\"before\",\"\"\r\n"   // the original is gone now
      "\"11/1/2005\",\"9:00 AM\",\"10:00 AM\",\"after\",\"\"\r\n");  // duplicate of the update
  EXPECT_EQ(Texts(), (std::vector<std::string>{"after", "before"}));
}

TEST_F(ImportDriverTest, FilterKeepsOnlyMatchingRecords) {
  options_.dofilter = 1;
  options_.filtertype = 2;  // text contains
  options_.filtertext = "lunch";
  Import(kSimpleHeader + SimpleLine("11/1/2005", "Team LUNCH") + SimpleLine("11/2/2005", "Dinner") +
         SimpleLine("11/3/2005", "lunch"));
  EXPECT_EQ(CountActive(), 2);
}

TEST_F(ImportDriverTest, FieldErrorIsReportedWithItsLineAndCancelKeepsWhatWasAdded) {
  shell_.QueueAnswer(MessageAnswer::Cancel);
  Import(kSimpleHeader + SimpleLine("11/1/2005", "one") + SimpleLine("11/2/2005", "two") +
         SimpleLine("11/3/2005", "three", "", "25:99") + SimpleLine("11/4/2005", "four"));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"one", "two"}));
  ASSERT_EQ(shell_.Messages().size(), 1u);
  const ShownMessage& message = shell_.Messages()[0];
  EXPECT_EQ(message.text.rfind("Error reading " + PathOf("import.csv") + " line 4\n\"25:99\"\n", 0),
            0u)
      << message.text;
  EXPECT_EQ(message.buttons, MessageButtons::OkCancel);
}

TEST_F(ImportDriverTest, FieldErrorAnsweredOkSkipsTheRecordAndIgnoredErrorsSkipSilently) {
  const std::string file = kSimpleHeader + SimpleLine("11/1/2005", "one") +
                           SimpleLine("11/2/2005", "", "") + SimpleLine("11/3/2005", "three");
  Import(file);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"one", "three"}));
  EXPECT_EQ(shell_.Messages().size(), 1u);
  options_.ignoreimporterrors = 1;
  options_.noduplicates = 0;
  ImportSummary summary;
  Import(file, &summary);
  EXPECT_EQ(shell_.Messages().size(), 1u);
  EXPECT_EQ(summary.faulty, 1);
}

TEST_F(ImportDriverTest, MissingFileGivesMinusOneWithTheReason) {
  // The reason is the file port's own, not whatever the system's last error
  // says by the time the driver asks.
  shell_.SetLastSystemErrorText("a later, unrelated error");
  std::string expected;
  ASSERT_FALSE(File().OpenForReading(PathOf("nowhere.csv"), expected));
  ImportSummary summary;
  EXPECT_EQ(ImportFile(PathOf("nowhere.csv"), options_, nullptr, &summary), -1);
  EXPECT_EQ(summary.openFailure, expected);
  EXPECT_EQ(CountActive(), 0);
}

TEST_F(ImportDriverTest, AReadThatFailsIsReportedAndWhatCameBeforeStays) {
  std::string many = kSimpleHeader;
  constexpr int kRecords = 1500;  // more than one read of the file
  for (int i = 0; i < kRecords; ++i)
    many += SimpleLine("11/" + std::to_string(1 + i % 28) + "/2005", "r" + std::to_string(i));
  const struct {
    const char* what;
    std::string content;
    int failingRead;
    bool someAdded;
  } cases[] = {
      {"the first read fails", kSimpleHeader + SimpleLine("11/1/2005", "one"), 1, false},
      {"a later read fails", many, 2, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::size_t messagesBefore = shell_.Messages().size();
    ProcessFaults().Add({"File.Read", E_FAIL, "The network went away.", c.failingRead});
    ImportSummary summary;
    EXPECT_EQ(Import(c.content, &summary), 0);
    ProcessFaults().Clear();
    EXPECT_TRUE(summary.readFailed);
    EXPECT_EQ(summary.added > 0, c.someAdded);
    EXPECT_LT(summary.added, kRecords);
    ASSERT_EQ(shell_.Messages().size(), messagesBefore + 1);
    EXPECT_EQ(shell_.Messages().back().text, "Error reading file\nThe network went away.");
  }
}

TEST_F(ImportDriverTest, HostRefusalAnsweredCancelStopsTheImport) {
  data_->Faults().Add({"AddAppointment", E_FAIL, "datebook full", 2, false});
  shell_.QueueAnswer(MessageAnswer::Cancel);
  ImportSummary summary;
  Import(kSimpleHeader + SimpleLine("11/1/2005", "one") + SimpleLine("11/2/2005", "two") +
             SimpleLine("11/3/2005", "three"),
         &summary);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"one"}));
  EXPECT_TRUE(summary.stopped);
  ASSERT_EQ(shell_.Messages().size(), 1u);
  EXPECT_NE(shell_.Messages()[0].text.find("datebook full"), std::string::npos);
}

}  // namespace
}  // namespace tavir::test_support
