// Reading records along the field mapping: the checks, the field error codes,
// the default length and the time span, the repeat end that means none.
// Pinned to en-US, Central European time and a fixed clock.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/FieldConversion.h"
#include "formats/CsvFile.h"
#include "formats/MemoryBytes.h"
#include "model/AppointmentRecord.h"
#include "model/Options.h"
#include "platform/CodePage.h"
#include "platform/LocalTime.h"
#include "platform/Locale.h"
#include "support/Environment.h"

namespace tavir {
namespace {

using testing::ScopedEnvironmentVariable;

class FieldReader : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::PinCentralEuropeanTime();
    ASSERT_EQ(ActiveLocaleName(), "en-US") << "needs the user locale en-US";
    options_.separator = ",";
    options_.quote = "\"";
  }

  // Reads one line (CR LF added) with the options' mapping into record_.
  int Read(const std::string& line) {
    file_ = std::make_unique<CsvFile>();
    file_->OpenRead(std::make_unique<MemoryByteSource>(line + "\r\n"));
    record_.Reset();
    return ReadMappedRecord(options_.mapping, *file_, record_);
  }

  void Map(std::vector<FieldId> simple, std::vector<FieldId> repeat = {}) {
    options_.mapping.simpleFields = std::move(simple);
    options_.mapping.repeatFields = std::move(repeat);
  }

  TimeValue Today(int hour, int minute) const { return BuildLocal(2005, 11, 10, hour, minute, 0); }

  ScopedEnvironmentVariable locale_{"TAVIR_LOCALE", std::string("en-US")};
  ScopedEnvironmentVariable now_{"TAVIR_NOW", std::string("2005-11-10T16:42:17")};
  Options options_;
  AppointmentRecord record_{options_};
  std::unique_ptr<CsvFile> file_;
};

TEST_F(FieldReader, AStartWithoutEndLastsTheDefaultLength) {
  options_.defaultapptlength = 45;
  ASSERT_EQ(Read(R"("10/26/2005","","9:00 AM","","","Meeting")"), 0);
  EXPECT_EQ(record_.date, LocalMidnight(2005, 10, 26));
  EXPECT_EQ(record_.startTime, Today(9, 0));
  EXPECT_EQ(record_.endTime, Today(9, 45));
  EXPECT_EQ(record_.GetEnd(), BuildLocal(2005, 10, 26, 9, 45, 0));
}

TEST_F(FieldReader, ATimeSpanSetsTheEndAndMakesTheRecordTimed) {
  Map({field::Date, field::Untimed, field::StartTime, field::EndTime, field::Text, field::TimeSpan});
  ASSERT_EQ(Read(R"("10/26/2005","x","9:00 AM","9:30 AM","Meeting","2")"), 0);
  EXPECT_EQ(record_.untimed, 0);
  EXPECT_EQ(record_.timeSpan, 7200);
  EXPECT_EQ(record_.endTime, Today(11, 0));
  // An empty span makes it untimed; a span too large for a time is no span.
  ASSERT_EQ(Read(R"("10/26/2005","","9:00 AM","9:30 AM","Meeting","")"), 0);
  EXPECT_EQ(record_.untimed, 1);
  EXPECT_EQ(Read(R"("10/26/2005","","9:00 AM","9:30 AM","Meeting","1e10")"),
            fielderror::InvalidEndTime);
  // A huge span is held at the end of time instead of wrapping around.
  ASSERT_EQ(Read(R"("10/26/2005","","9:00 AM","","Meeting","596523")"), 0);
  EXPECT_EQ(record_.endTime, 2147483647);
}

struct ResultCase {
  const char* name;
  std::string line;
  int result;
  std::string lastField;  // the field the reading stopped at
};

void PrintTo(const ResultCase& c, std::ostream* out) { *out << c.name; }

class FieldReaderResults : public FieldReader, public ::testing::WithParamInterface<ResultCase> {};

TEST_P(FieldReaderResults, DefaultMappingGives) {
  options_.fullformat = 1;
  const ResultCase& c = GetParam();
  EXPECT_EQ(Read(c.line), c.result);
  EXPECT_EQ(file_->GetLastField(), c.lastField);
}

// Default mapping: Date, Untimed, Start, End, Private, Text, Note, Alarm,
// Alarm Time, Alarm Unit, Category, Location, Repeat; then the repeat fields.
INSTANTIATE_TEST_SUITE_P(
    Lines, FieldReaderResults,
    ::testing::Values(
        ResultCase{"EmptyDateEndsTheData", R"("","","9:00 AM")", -1, ""},
        ResultCase{"EmptyLineEndsTheData", "", -1, ""},
        ResultCase{"HeaderLine", R"("Date","Untimed")", fielderror::InvalidDate, "Date"},
        ResultCase{"ByteOrderMarkIsNoEmptyDate", "\xEF\xBB\xBF,\"\"", fielderror::InvalidDate,
                   "\xEF\xBB\xBF"},
        ResultCase{"OnlyADate", R"("10/26/2005","","","","","Text")", fielderror::InvalidStartTime,
                   "Text"},
        ResultCase{"BadStart", R"("10/26/2005","","9:77","","","Text")",
                   fielderror::InvalidStartTime, "9:77"},
        ResultCase{"BadEnd", R"("10/26/2005","","9:00 AM","later","","Text")",
                   fielderror::InvalidEndTime, "later"},
        ResultCase{"EndWithoutStart", R"("10/26/2005","","","10:00 AM","","Text")",
                   fielderror::InvalidStartTime, "Text"},
        ResultCase{"UntimedNeedsNoTimes", R"("10/26/2005","x","","","","Text")", 0, "Text"},
        ResultCase{"NoText", R"("10/26/2005","x","","","","")", fielderror::NoAppointmentText, ""},
        ResultCase{"BlankTextIsText", R"("10/26/2005","x","","",""," ")", 0, " "},
        ResultCase{"AlarmUnitInAnyCase", R"("10/26/2005","x","","","","T","","x","2","H")", 0, "H"},
        ResultCase{"AlarmUnitWord", R"("10/26/2005","x","","","","T","","x","2","hours")",
                   fielderror::InvalidAlarmUnit, "hours"},
        ResultCase{"YearBefore1970IsOfTheNextCentury", R"("1/1/69","x","","","","T")",
                   fielderror::InvalidDate, "1/1/69"},
        ResultCase{"RepeatIntervalZero",
                   R"("10/26/2005","x","","","","T","","","","","","","x","Daily","0")",
                   fielderror::InvalidRepeatInterval, "0"},
        ResultCase{"RepeatIntervalNotANumber",
                   R"("10/26/2005","x","","","","T","","","","","","","x","Daily","every")",
                   fielderror::InvalidRepeatInterval, "every"},
        ResultCase{"RepeatEndNoDate",
                   R"("10/26/2005","x","","","","T","","","","","","","x","Daily","1","soon")",
                   fielderror::InvalidRepeatEndDate, "soon"},
        ResultCase{"WeekIndexIsNotRangeChecked",
                   R"("10/26/2005","x","","","","T","","","","","","","x","Monthly Day","1","","",)"
                   R"("","","","","","","","9")",
                   0, "9"}),
    [](const ::testing::TestParamInfo<ResultCase>& info) { return info.param.name; });

TEST_F(FieldReader, AnEmptyAlarmUnitClearsTheAlarm) {
  ASSERT_EQ(Read(R"("10/26/2005","x","","","","T","","x","15","")"), 0);
  EXPECT_EQ(record_.alarm, 0);
  ASSERT_EQ(Read(R"("10/26/2005","x","","","","T","","x","15","d")"), 0);
  EXPECT_EQ(record_.alarm, 1);
  EXPECT_EQ(record_.alarmAmount, 15);
  EXPECT_EQ(record_.alarmUnit, Days);
  ASSERT_EQ(Read(R"("10/26/2005","x","","","","T","","x","15"," H ")"), 0);
  EXPECT_EQ(record_.alarmUnit, Hours);
  ASSERT_EQ(Read(R"("10/26/2005","x","","","","T","","x","15","M")"), 0);
  EXPECT_EQ(record_.alarmUnit, Minutes);
}

TEST_F(FieldReader, TextsAreTrimmedOrExpandedAsTheirFieldsSay) {
  ASSERT_EQ(Read("\"10/26/2005\",\" x \",\"\",\"\",\"  \",\" A\nB \",\"n\nm\",\"\",\"\",\"\","
                 "\" Cat \",\" Room\n1 \",\" \""),
            0);
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
    ASSERT_EQ(Read(std::string(R"("10/26/2005","x","","","","T","","","","","","","x","Weekly","2",")") +
                   c.end + R"(","a; b","","x","","x")"),
              0)
        << c.end;
    EXPECT_EQ(record_.repeatEnd, c.expected) << c.end;
    EXPECT_EQ(record_.repeatType, Weekly);
    EXPECT_EQ(record_.repeatInterval, 2);
    EXPECT_EQ(record_.exceptions, "a; b");
    EXPECT_EQ(record_.weekDays, kWeekdayBit[1] | kWeekdayBit[3]);
  }
}

TEST_F(FieldReader, RepeatTypeNamesAreCaseSensitive) {
  const std::string head = R"("10/26/2005","x","","","","T","","","","","","","x",")";
  ASSERT_EQ(Read(head + R"(weekly","1")"), 0);
  EXPECT_EQ(record_.repeatType, Daily);
  ASSERT_EQ(Read(head + R"(Monthly Date","1")"), 0);
  EXPECT_EQ(record_.repeatType, MonthlyDate);
}

TEST_F(FieldReader, RepeatFieldsOnlyInTheFullFormatAndForRepeatingLines) {
  const std::string line =
      R"("10/26/2005","x","","","","T","","","","","","","x","Yearly","0")";
  options_.fullformat = 0;
  EXPECT_EQ(Read(line), 0);  // the bad interval is never read
  options_.fullformat = 1;
  EXPECT_EQ(Read(line), fielderror::InvalidRepeatInterval);
  EXPECT_EQ(Read(R"("10/26/2005","x","","","","T","","","","","","","","Yearly","0")"), 0);
}

TEST_F(FieldReader, IgnoredColumnsAreReadAndDropped) {
  Map({field::Ignored, field::Date, field::Ignored, field::Untimed, field::Text},
      {field::Ignored, field::RepeatInterval});
  ASSERT_EQ(Read(R"("junk","10/26/2005","more","x","T")"), 0);
  EXPECT_EQ(record_.text, "T");
  // Fields without a value have no column: the next field reads the next column.
  Map({field::Date, 15, 19, 40, field::Untimed, field::Text});
  ASSERT_EQ(Read(R"("10/26/2005","x","T")"), 0);
  EXPECT_EQ(record_.text, "T");
}

TEST_F(FieldReader, RecordIdAndAlarmAmountAreNumbers) {
  Map({field::Date, field::Untimed, field::Text, field::RecordId, field::AlarmTime});
  ASSERT_EQ(Read(R"("10/26/2005","x","T"," 4711 ","-3")"), 0);
  EXPECT_EQ(record_.recordId, 4711);
  EXPECT_EQ(record_.alarmAmount, -3);
}

TEST(ExpandLineBreaks, LineFeedsBecomeReturnLineFeed) {
  EXPECT_EQ(ExpandLineBreaks("a\nb"), "a\r\nb");
  EXPECT_EQ(ExpandLineBreaks("a\r\nb\r"), "a\r\r\nb\r");
  EXPECT_EQ(ExpandLineBreaks("\n\n"), "\r\n\r\n");
  EXPECT_EQ(ExpandLineBreaks(""), "");
}

TEST(ExpandLineBreaks, IsCutBeforeWhatWouldPassTheLimit) {
  const std::string fits(kMaxExpandedText, 'a');
  EXPECT_EQ(ExpandLineBreaks(fits), fits);
  EXPECT_EQ(ExpandLineBreaks(fits + "b"), fits);
  // Never a CR without its LF at the end.
  EXPECT_EQ(ExpandLineBreaks(std::string(kMaxExpandedText - 1, 'a') + "\n"),
            std::string(kMaxExpandedText - 1, 'a'));
  EXPECT_EQ(ExpandLineBreaks(std::string(30000, '\n')).size(), kMaxExpandedText - 1);
  // Never half a character.
  const std::string text = std::string(kMaxExpandedText - 1, 'a') + "\xC3\xA9";
  EXPECT_EQ(ExpandLineBreaks(text), AnsiCodePageIsUtf8() ? text.substr(0, kMaxExpandedText - 1)
                                                         : text.substr(0, kMaxExpandedText));
}

}  // namespace
}  // namespace tavir
