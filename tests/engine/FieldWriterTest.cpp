// Writing records and headers along the field mapping: which column each
// field gets, and which fields get none (the default mapping is checked by the
// example files). Lines are written bare with "|"
// between fields so that the columns are easy to read. Pinned to en-US and
// Central European time.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/RecordExamples.h"

namespace tavir {
namespace {

struct WriterCase {
  const char* name;
  bool full;
  std::vector<FieldId> simple;  // empty: the default lists
  std::function<void(AppointmentRecord&)> make;
  std::string line;  // without CR LF
};

using FieldWriter = test_support::PinnedEnUsTest;

std::string WriteLine(const std::function<void(CsvFile&)>& write) {
  std::string bytes;
  CsvFile file;
  file.SetQuote("");
  file.SetSeparator("|");
  file.OpenWrite(std::make_unique<MemoryByteSink>(bytes));
  write(file);
  file.Finish();
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  return bytes.substr(0, bytes.size() - 2);
}

const std::vector<FieldId> kAllSimple = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};

TEST_F(FieldWriter, RecordsGetTheseColumns) {
  const WriterCase cases[] = {
      {"EveryFieldTimed", false, kAllSimple,
       [](AppointmentRecord& r) {
         test_support::MakeMeeting(r);
         r.isPrivate = 1;
         r.alarm = 1;
         r.alarmAmount = 3;
         r.alarmUnit = Hours;
         r.recordId = 4711;
       },
       "10/26/2005||9:00 AM|10:30 AM|x|Meeting|Bring \"Q3\" figures\nand slides"
       "|x|3|h|Business|Room 101||1.500000|4711"},
      {"UntimedLeavesTimesAndSpanEmpty", false, kAllSimple, test_support::MakeHoliday,
       "10/27/2005|x||||Holiday||x|15|m|||||0"},
      {"NoValueNoColumnIgnoredAnEmptyOne",
       false,
       {0, 15, 19, 33, 40, 32, 5},
       test_support::MakeHoliday,
       "10/27/2005||Holiday"},
      {"MonthlyByDateHasNoWeekdaysNorIndex",
       true,
       {0, 5},
       [](AppointmentRecord& r) {
         test_support::MakeTeamCall(r);
         test_support::SetRepeat(r, MonthlyDate, 2, LocalMidnight(2006, 6, 30));
         r.monthlyWeekIndex = 4;
       },
       "10/24/2005|Team call|Monthly Date|2|6/30/2006|||||||||"},
      {"MonthlyByDayHasItsIndex",
       true,
       {0, 5},
       [](AppointmentRecord& r) {
         test_support::MakeTeamCall(r);
         r.repeatType = MonthlyDay;
         r.monthlyWeekIndex = 5;
       },
       "10/24/2005|Team call|Monthly Day|1||||||||||5"},
      {"UnknownRepeatKindIsEmpty",
       true,
       {0},
       [](AppointmentRecord& r) {
         test_support::MakeTeamCall(r);
         r.repeatType = 9;
       },
       "10/24/2005||1||||||||||"},
      {"SimpleFormatNeverWritesRepeatColumns",
       false,
       {0, 12},
       test_support::MakeTeamCall,
       "10/24/2005|x"}};
  for (const WriterCase& c : cases) {
    Options options;
    if (!c.simple.empty())
      options.mapping.simpleFields = c.simple;
    AppointmentRecord record(options);
    c.make(record);
    EXPECT_EQ(WriteLine([&](CsvFile& file) {
                c.full ? WriteFullRecord(options.mapping, file, record)
                       : WriteSimpleRecord(options.mapping, file, record);
              }),
              c.line)
        << c.name;
  }
}

TEST_F(FieldWriter, HeadersNameTheColumnsOfTheRecords) {
  Options options;
  EXPECT_EQ(WriteLine([&](CsvFile& file) { WriteFullHeader(options.mapping, file); }),
            "Date|Untimed|Start Time|End Time|Private|Text|Note|Alarm|Alarm Time|Alarm Unit|"
            "Category|Location|Repeat|Repeat Type|Repeat Interval|Repeat End Date|Exceptions|"
            "Weekly Sunday|Weekly Monday|Weekly Tuesday|Weekly Wednesday|Weekly Thursday|"
            "Weekly Friday|Weekly Saturday|Monthly Week Index");
  options.mapping.simpleFields = {0, 32, 17, 45, 13, 14};
  options.mapping.repeatFields = {32, 21};
  EXPECT_EQ(WriteLine([&](CsvFile& file) { WriteSimpleHeader(options.mapping, file); }),
            "Date|(Ignored)|Time Span|Record ID");
  EXPECT_EQ(WriteLine([&](CsvFile& file) { WriteFullHeader(options.mapping, file); }),
            "Date|(Ignored)|Time Span|Record ID|(Ignored)|Repeat Interval");
}

}  // namespace
}  // namespace tavir
