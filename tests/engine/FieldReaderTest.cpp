// Reading records along the field mapping: the checks, the field error codes,
// the default length and the time span, the repeat end that means none.
// Pinned to en-US, Central European time and a fixed clock.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/RecordExamples.h"
#include "formats/FieldTextParsing.h"
#include "platform/CodePage.h"

namespace tavir {
namespace {

// The options of en-US: comma and double quote.
class FieldReader : public test_support::PinnedEnUsTest {
 protected:
  // Reads one line (CR LF added) with the options' mapping into record, reset
  // first as the import resets the one record it reuses for every line.
  FieldResult Read(const std::string& line) { return ReadInto(record_, line); }
  FieldResult ReadInto(AppointmentRecord& record, const std::string& line) {
    file_ = std::make_unique<CsvFile>();
    file_->OpenRead(std::make_unique<MemoryByteSource>(line + "\r\n"));
    record.Reset();
    return ReadMappedRecord(options_.mapping, *file_, record);
  }

  void Map(std::vector<FieldId> simple, std::vector<FieldId> repeat = {}) {
    options_.mapping.simpleFields = std::move(simple);
    options_.mapping.repeatFields = std::move(repeat);
  }

  TimeValue TimeRead(int hour, int minute) const { return TimeOfDay(hour, minute); }

  Options options_;
  AppointmentRecord record_{options_};
  std::unique_ptr<CsvFile> file_;
};

TEST_F(FieldReader, AStartWithoutEndLastsTheDefaultLength) {
  options_.defaultapptlength = 45;
  ASSERT_EQ(Read(R"("10/26/2005","","9:00 AM","","","Meeting")"), FieldResult::Ok);
  EXPECT_EQ(record_.date, LocalMidnight(2005, 10, 26));
  EXPECT_EQ(record_.startTime, TimeRead(9, 0));
  EXPECT_EQ(record_.endTime, TimeRead(9, 45));
  EXPECT_EQ(record_.GetEnd(), BuildLocal(2005, 10, 26, 9, 45, 0));
}

TEST_F(FieldReader, ATimeSpanSetsTheEndAndMakesTheRecordTimed) {
  Map({field::Date, field::Untimed, field::StartTime, field::EndTime, field::Text,
       field::TimeSpan});
  ASSERT_EQ(Read(R"("10/26/2005","x","9:00 AM","9:30 AM","Meeting","2")"), FieldResult::Ok);
  EXPECT_EQ(record_.untimed, 0);
  EXPECT_EQ(record_.timeSpan, 7200);
  EXPECT_EQ(record_.endTime, TimeRead(11, 0));
  // An empty span makes it untimed; a span too large for a time is no span.
  ASSERT_EQ(Read(R"("10/26/2005","","9:00 AM","9:30 AM","Meeting","")"), FieldResult::Ok);
  EXPECT_EQ(record_.untimed, 1);
  EXPECT_EQ(Read(R"("10/26/2005","","9:00 AM","9:30 AM","Meeting","1e10")"),
            FieldResult::InvalidEndTime);
  // A huge span is held at the end of time instead of wrapping around.
  ASSERT_EQ(Read(R"("10/26/2005","","9:00 AM","","Meeting","596523")"), FieldResult::Ok);
  EXPECT_EQ(record_.endTime, 2147483647);
}

// Default mapping: Date, Untimed, Start, End, Private, Text, Note, Alarm,
// Alarm Time, Alarm Unit, Category, Location, Repeat; then the repeat fields.
TEST_F(FieldReader, ResultAndTheFieldWhereReadingStopped) {
  options_.fullformat = 1;
  const std::string untimed = R"("10/26/2005","x","","","","T",)";
  const std::string repeating = untimed + R"("","","","","","","x",)";
  const struct {
    const char* what;
    std::string line;
    FieldResult result;
    std::string lastField;
  } cases[] = {
      {"an empty date ends the data", R"("","","9:00 AM")", FieldResult::EndOfData, ""},
      {"an empty line ends the data", "", FieldResult::EndOfData, ""},
      {"header line", R"("Date","Untimed")", FieldResult::InvalidDate, "Date"},
      {"a byte order mark is no part of the date",
       "\xEF\xBB\xBF\"10/26/2005\",\"x\",\"\",\"\",\"\",\"T\"", FieldResult::Ok, "T"},
      {"only a date", R"("10/26/2005","","","","","Text")", FieldResult::InvalidStartTime, "Text"},
      {"bad start", R"("10/26/2005","","9:77","","","Text")", FieldResult::InvalidStartTime,
       "9:77"},
      {"bad end", R"("10/26/2005","","9:00 AM","later","","Text")", FieldResult::InvalidEndTime,
       "later"},
      {"end without start", R"("10/26/2005","","","10:00 AM","","Text")",
       FieldResult::InvalidStartTime, "Text"},
      {"untimed needs no times", R"("10/26/2005","x","","","","Text")", FieldResult::Ok, "Text"},
      {"no text", R"("10/26/2005","x","","","","")", FieldResult::NoAppointmentText, ""},
      {"a blank text is text", R"("10/26/2005","x","","",""," ")", FieldResult::Ok, " "},
      {"alarm unit as a word", untimed + R"("","x","2","hours")", FieldResult::InvalidAlarmUnit,
       "hours"},
      {"a year before 1970 is of the next century", R"("1/1/69","x","","","","T")",
       FieldResult::InvalidDate, "1/1/69"},
      {"repeat interval zero", repeating + R"("Daily","0")", FieldResult::InvalidRepeatInterval,
       "0"},
      {"repeat interval no number", repeating + R"("Daily","every")",
       FieldResult::InvalidRepeatInterval, "every"},
      {"a repeat type in another case", repeating + R"("wEEKLY","1")", FieldResult::Ok, "1"},
      {"an unknown repeat type", repeating + R"("Fortnightly","1")", FieldResult::InvalidRepeatType,
       "Fortnightly"},
      {"a fault in a rule column counts when the rule is not all empty",
       repeating + R"("","","","","","","","x")", FieldResult::InvalidRepeatInterval, ""},
      {"repeat end no date", repeating + R"("Daily","1","soon")", FieldResult::InvalidRepeatEndDate,
       "soon"},
      {"the week index is not range-checked",
       repeating + R"("Monthly Day","1","","","","","","","","","","9")", FieldResult::Ok, "9"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Read(c.line), c.result) << c.what;
    EXPECT_EQ(file_->GetLastField(), c.lastField) << c.what;
  }
}

TEST_F(FieldReader, AlarmUnitIsOneLetterInAnyCaseAndAnEmptyOneClearsTheAlarm) {
  const std::string head = R"("10/26/2005","x","","","","T","","x","15",")";
  const struct {
    const char* unit;
    std::int32_t expected;
  } cases[] = {{"d", Days}, {" H ", Hours}, {"h", Hours}, {"M", Minutes}};
  for (const auto& c : cases) {
    ASSERT_EQ(Read(head + c.unit + "\""), FieldResult::Ok) << c.unit;
    EXPECT_EQ(record_.alarm, 1);
    EXPECT_EQ(record_.alarmAmount, 15);
    EXPECT_EQ(record_.alarmUnit, c.expected) << c.unit;
  }
  ASSERT_EQ(Read(head + "\""), FieldResult::Ok);
  EXPECT_EQ(record_.alarm, 0);
}

TEST_F(FieldReader, TextsAreTrimmedOrExpandedAsTheirFieldsSay) {
  ASSERT_EQ(Read("\"10/26/2005\",\" x \",\"\",\"\",\"  \",\" A\nB \",\"n\nm\",\"\",\"\",\"\","
                 "\" Cat \",\" Room\n1 \",\" \""),
            FieldResult::Ok);
  EXPECT_EQ(record_.untimed, 1);
  EXPECT_EQ(record_.isPrivate, 0);
  EXPECT_EQ(record_.text, " A\r\nB ");
  EXPECT_EQ(record_.note, "n\r\nm");
  EXPECT_EQ(record_.category, "Cat");
  EXPECT_EQ(record_.location, "Room\r\n1");
  EXPECT_EQ(record_.repeat, 0);
}

TEST_F(FieldReader, RepeatEndOfTheLastDayMeansNoEnd) {
  const struct {
    const char* end;
    TimeValue expected;
  } cases[] = {
      {"12/31/2031", 0},
      {"1/1/2032", 0},  // after the Datebook's last day: no end, not a faulty record
      {"6/15/2040", 0},
      {"12/30/2031", LocalMidnight(2031, 12, 30)},
      {"", 0},
      {"3/4/05", LocalMidnight(2005, 3, 4)},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(
        Read(std::string(R"("10/26/2005","x","","","","T","","","","","","","x","Weekly","2",")") +
             c.end + R"(","a; b","","x","","x")"),
        FieldResult::Ok)
        << c.end;
    EXPECT_EQ(record_.repeatEnd, c.expected) << c.end;
    EXPECT_EQ(record_.repeatType, Weekly);
    EXPECT_EQ(record_.repeatInterval, 2);
    EXPECT_EQ(record_.exceptions, "a; b");
    EXPECT_EQ(record_.weekDays, kWeekdayBit[1] | kWeekdayBit[3]);
  }
}

TEST_F(FieldReader, RepeatFieldsOnlyInTheFullFormatAndForRepeatingLines) {
  const std::string head = R"("10/26/2005","x","","","","T","","","","","","","x")";
  const std::string line = head + R"(,"Yearly","0")";
  options_.fullformat = 0;
  EXPECT_EQ(Read(line), FieldResult::Ok);  // the bad interval is never read
  options_.fullformat = 1;
  EXPECT_EQ(Read(line), FieldResult::InvalidRepeatInterval);
  EXPECT_EQ(Read(R"("10/26/2005","x","","","","T","","","","","","","","Yearly","0")"),
            FieldResult::Ok);
  // "x" in "Repeat" without a rule (as a simple export writes each occurrence)
  // is a single appointment: rule columns absent, all empty, or not read.
  const struct {
    const char* what;
    bool fullFormat;
    std::string line;
  } singles[] = {{"columns absent", true, head},
                 {"columns empty", true, head + R"(,"","","","")"},
                 {"simple format", false, line}};
  for (const auto& c : singles) {
    options_.fullformat = c.fullFormat;
    ASSERT_EQ(Read(c.line), FieldResult::Ok) << c.what;
    EXPECT_EQ(record_.repeat, 0) << c.what;
  }
}

// Every field of the catalogue mapped; the second line maps only a few, so
// every other member of the reused record must come from the reset.
TEST_F(FieldReader, AReusedRecordKeepsNothingOfTheLineBefore) {
  std::vector<FieldId> simple, repeat;
  for (FieldId id = field::Date; id <= field::LastSimple; ++id)
    simple.push_back(id);
  for (FieldId id = field::RepeatType; id <= field::MonthlyWeekIndex; ++id)
    repeat.push_back(id);
  options_.fullformat = 1;
  Map(simple, repeat);
  ASSERT_EQ(Read(R"("10/26/2005","","9:00 AM","10:30 AM","x","Text","Note","x","15","h","Cat",)"
                 R"("Room","x","1.5","4711","Monthly Day","2","12/31/2005","1/2/2006","x","x","x",)"
                 R"("x","x","x","x","3")"),
            FieldResult::Ok);
  ASSERT_EQ(record_.repeat, 1);
  const std::string sparse = R"("10/27/2005","x","T","x","Daily","1")";
  Map({field::Date, field::Untimed, field::Text, field::Repeat},
      {field::RepeatType, field::RepeatInterval});
  ASSERT_EQ(Read(sparse), FieldResult::Ok);
  ASSERT_EQ(record_.repeat, 1);
  AppointmentRecord fresh(options_);
  ASSERT_EQ(ReadInto(fresh, sparse), FieldResult::Ok);
  // Kept on purpose across lines.
  fresh.exceptions = record_.exceptions;
  fresh.alarmUnit = record_.alarmUnit;
  fresh.alarmAmount = record_.alarmAmount;
  Map(simple, repeat);
  const auto written = [&](const AppointmentRecord& record) {
    std::string bytes;
    CsvFile file;
    file.OpenWrite(std::make_unique<MemoryByteSink>(bytes));
    WriteFullRecord(options_.mapping, file, record);
    file.Finish();
    return bytes;
  };
  EXPECT_EQ(written(record_), written(fresh));
  EXPECT_TRUE(record_.IsSameAppointment(fresh));
}

TEST_F(FieldReader, IgnoredColumnsAreReadAndDropped) {
  Map({field::Ignored, field::Date, field::Ignored, field::Untimed, field::Text},
      {field::Ignored, field::RepeatInterval});
  ASSERT_EQ(Read(R"("junk","10/26/2005","more","x","T")"), FieldResult::Ok);
  EXPECT_EQ(record_.text, "T");
  // Fields without a value have no column: the next field reads the next column.
  Map({field::Date, 15, 19, 40, field::Untimed, field::Text});
  ASSERT_EQ(Read(R"("10/26/2005","x","T")"), FieldResult::Ok);
  EXPECT_EQ(record_.text, "T");
}

TEST_F(FieldReader, RecordIdAndAlarmAmountAreNumbers) {
  Map({field::Date, field::Untimed, field::Text, field::RecordId, field::AlarmTime});
  ASSERT_EQ(Read(R"("10/26/2005","x","T"," 4711 ","-3")"), FieldResult::Ok);
  EXPECT_EQ(record_.recordId, 4711);
  EXPECT_EQ(record_.alarmAmount, -3);
}

TEST(ExpandLineBreaks, LineFeedsBecomeReturnLineFeedCutBeforeTheLimitBetweenCharacters) {
  const std::string fits(kMaxExpandedText, 'a'), almost(kMaxExpandedText - 1, 'a');
  const struct {
    std::string text, expanded;
  } cases[] = {
      {"a\nb", "a\r\nb"},
      {"a\r\nb\r", "a\r\r\nb\r"},
      {"\n\n", "\r\n\r\n"},
      {"", ""},
      {fits, fits},
      {fits + "b", fits},
      {almost + "\n", almost},  // never a CR without its LF at the end
      {almost + "\xC3\xA9", AnsiCodePageIsUtf8() ? almost : almost + "\xC3"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExpandLineBreaks(c.text), c.expanded) << c.text.size() << " bytes";
  EXPECT_EQ(ExpandLineBreaks(std::string(30000, '\n')).size(), kMaxExpandedText - 1);
}

}  // namespace
}  // namespace tavir
