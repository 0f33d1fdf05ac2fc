// The export driver through the stand-alone datebook: span edges, repeat
// expansion, filters, calendar files, host failures and the quit message.
#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "engine/ExportDriver.h"
#include "model/Strings.h"
#include "platform/ComError.h"

namespace tavir::test_support {
namespace {

class ExportDriverTest : public EngineFixture {
 protected:
  // Today is 2005-11-10: the default span is 2005-10-11 00:00 to 2005-12-10 23:59.
  int ExportSimpleTo(const std::string& name, ExportStatus* status = nullptr) {
    options_.fullformat = 0;
    return ExportSimple(PathOf(name), options_.GetSpanStart(), options_.GetSpanEnd(), options_,
                        &progress_, status);
  }
  FakeProgress progress_;
};

TEST_F(ExportDriverTest, SimpleFormatKeepsExactlyTheAppointmentsInsideTheSpan) {
  AddTimed(2005, 12, 10, 22, 0, 60, "last day late");
  AddTimed(2005, 10, 11, 0, 0, 60, "first day midnight");
  AddTimed(2005, 10, 10, 23, 0, 30, "day before the span");
  AddTimed(2005, 12, 11, 0, 0, 30, "day after the span");

  EXPECT_EQ(ExportSimpleTo("span.csv"), 2);
  const std::vector<std::string> lines = Lines(ReadFile(PathOf("span.csv")));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(0, 7), "\"Date\",");
  EXPECT_NE(lines[1].find("first day midnight"), std::string::npos);
  EXPECT_NE(lines[2].find("last day late"), std::string::npos);
  EXPECT_EQ(CountExportable(options_), 2);
}

TEST_F(ExportDriverTest, RepeatingAppointmentIsWrittenOncePerOccurrenceInTheSpan) {
  // Daily from 2005-10-27: 45 occurrences up to 2005-12-10.
  AddRepeating(2005, 10, 27, 9, "Stand-up", RepeatRule{1, 1, 0, 0});
  EXPECT_EQ(ExportSimpleTo("daily.csv"), 45);
  const std::vector<std::string> lines = Lines(ReadFile(PathOf("daily.csv")));
  ASSERT_EQ(lines.size(), 46u);
  std::set<std::string> dates;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    dates.insert(lines[i].substr(0, lines[i].find(',')));
    EXPECT_NE(lines[i].find("\"Stand-up\""), std::string::npos);
  }
  EXPECT_EQ(dates.size(), 45u);
  EXPECT_TRUE(dates.count("\"10/27/2005\""));
  EXPECT_TRUE(dates.count("\"12/10/2005\""));
  options_.fullformat = 0;
  EXPECT_EQ(CountExportable(options_), 45);
}

TEST_F(ExportDriverTest, CountAgreesWithTheExportUpToTheDatebooksLastDay) {
  ScopedEnvironmentVariable now("TAVIR_NOW", std::string("2027-01-01T10:00:00"));
  options_.daysback = 0;
  options_.daysahead = 1825;  // the span ends on 2031-12-31
  AddRepeating(2027, 12, 31, 9, "New Year's Eve", RepeatRule{5, 1, 0, 0});
  AddRepeating(2031, 12, 29, 9, "Last days", RepeatRule{1, 1, 0, 0});
  EXPECT_EQ(ExportSimpleTo("edge.csv"), 5 + 3);
  EXPECT_EQ(CountExportable(options_), 5 + 3);
}

TEST_F(ExportDriverTest, FullFormatWritesEveryAppointmentOnceWithItsRule) {
  AddRepeating(1999, 1, 4, 9, "Old weekly", RepeatRule{2, 1, 0, 2 | 8});
  AddTimed(2030, 5, 1, 9, 0, 60, "Far ahead");
  EXPECT_EQ(ExportFull(PathOf("full.csv"), options_, &progress_), 2);
  EXPECT_EQ(progress_.Range(), 2);
  EXPECT_EQ(progress_.Positions(), (std::vector<int>{0, 1}));
  const std::vector<std::string> lines = Lines(ReadFile(PathOf("full.csv")));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NE(lines[0].find("\"Monthly Week Index\""), std::string::npos);
  EXPECT_NE(lines[1].find("\"Weekly\",\"1\""), std::string::npos);
  // A single appointment has no repeat columns.
  EXPECT_EQ(std::count(lines[2].begin(), lines[2].end(), ','), 12);
  EXPECT_EQ(CountExportable(options_), 2);
}

TEST_F(ExportDriverTest, EmptyDatebookGivesHeaderOnlyOrCalendarWithoutEvents) {
  EXPECT_EQ(ExportSimpleTo("empty.csv"), 0);
  EXPECT_EQ(Lines(ReadFile(PathOf("empty.csv"))).size(), 1u);
  EXPECT_EQ(ExportSimpleTo("empty.ics"), 0);
  const std::string calendar = ReadFile(PathOf("empty.ics"));
  EXPECT_EQ(calendar.find("BEGIN:VEVENT"), std::string::npos);
  EXPECT_NE(calendar.find("END:VCALENDAR\r\n"), std::string::npos);
}

TEST_F(ExportDriverTest, ExpandedOccurrencesCarryNoRuleButTheFullFormatKeepsIt) {
  AddRepeating(2005, 11, 7, 14, "Team call", RepeatRule{2, 1, 0, 2});
  EXPECT_EQ(ExportSimpleTo("series.ics"), 5);
  const std::string expanded = ReadFile(PathOf("series.ics"));
  EXPECT_EQ(expanded.find("RRULE"), std::string::npos);

  EXPECT_EQ(ExportFull(PathOf("rule.ics"), options_, nullptr), 1);
  EXPECT_NE(ReadFile(PathOf("rule.ics")).find("RRULE:FREQ=WEEKLY;BYDAY=MO"), std::string::npos);
}

TEST_F(ExportDriverTest, FilterDecidesWhatIsExportedAndCounted) {
  AddTimed(2005, 11, 1, 9, 0, 60, "meeting room", "", "Work");
  AddTimed(2005, 11, 2, 9, 0, 60, "MEET", "", "Work ");
  AddTimed(2005, 11, 3, 9, 0, 60, "A meeting", "", "work");
  options_.dofilter = 1;
  options_.filtertype = 0;  // text starts with
  options_.filtertext = "Meet";
  EXPECT_EQ(ExportFull(PathOf("starts.csv"), options_, nullptr), 2);
  options_.filtertype = 6;  // category is
  options_.filtertext = "work";
  EXPECT_EQ(CountExportable(options_), 2);
  options_.filtertext.clear();
  EXPECT_EQ(CountExportable(options_), 3);
}

TEST_F(ExportDriverTest, InvalidStartIsSkippedByTheExportButCounted) {
  AppointmentData broken;
  broken.start = -1;
  broken.description = AnsiToWide("broken");
  data_->Add(broken);
  AddTimed(2005, 11, 1, 9, 0, 60, "fine");
  EXPECT_EQ(ExportFull(PathOf("skip.csv"), options_, nullptr), 1);
  EXPECT_EQ(CountExportable(options_), 2);
}

TEST_F(ExportDriverTest, QuitMessageEndsTheExportWithACompleteFile) {
  for (int day = 1; day <= 9; ++day)
    AddTimed(2005, 11, day, 9, 0, 60, "item");
  shell_.QuitAtPump(5);  // the pump before the first item is the first
  ExportStatus status;
  EXPECT_EQ(ExportFull(PathOf("quit.csv"), options_, &progress_, &status), 3);
  EXPECT_TRUE(status.stopped);
  EXPECT_EQ(Lines(ReadFile(PathOf("quit.csv"))).size(), 4u);
}

TEST_F(ExportDriverTest, HostErrorPassesToTheCallerAndTheOldFileStays) {
  for (int day = 1; day <= 3; ++day)
    AddTimed(2005, 11, day, 9, 0, 60, "item");
  WriteFile(PathOf("host.csv"), "old\r\n");
  // Two reads of the note per item (filter, record): the fifth is the third item's.
  data_->Faults().Add({"get_Note", E_FAIL, "the host went away", 5, false});
  try {
    ExportFull(PathOf("host.csv"), options_, nullptr);
    FAIL() << "the host error did not reach the caller";
  } catch (const ComError& error) {
    EXPECT_EQ(error.Description(), "the host went away");
  }
  // The unfinished export is closed and removed; the old file is untouched.
  EXPECT_EQ(ReadFile(PathOf("host.csv")), "old\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory_), {}), 1);
}

}  // namespace
}  // namespace tavir::test_support
