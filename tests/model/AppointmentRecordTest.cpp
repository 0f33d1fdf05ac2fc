// The appointment record: start and end across days and daylight saving
// changes, Reset, repeat type names, alarm advance and the display text.
#include <gtest/gtest.h>

#include <string>

#include "model/AppointmentRecord.h"
#include "model/Options.h"
#include "platform/CodePage.h"
#include "support/Environment.h"
#include "support/ScratchRegistry.h"
#include "support/TimeZones.h"

namespace tavir {
namespace {

using testing::ScopedEnvironmentVariable;
using testing::ScopedTimeZone;
using testing::TestZone;
using testing::UtcTime;

struct LocalMoment {
  int year, month, day, hour, minute, second;
  TimeValue Value() const { return BuildLocal(year, month, day, hour, minute, second); }
};

void ExpectZoneActive(TestZone zone) {
  if (zone == TestZone::Berlin)
    ASSERT_TRUE(testing::CentralEuropeanTimeIsActive()) << "Central European time is not pinned";
  else
    ASSERT_TRUE(testing::EasternTimeIsActive()) << "US Eastern time is not pinned";
}

struct StartEndCase {
  const char* what;
  TestZone zone;
  LocalMoment date;
  bool untimed;
  LocalMoment startTime;  // only its time of day counts
  LocalMoment endTime;
  TimeValue expectedStart;
  TimeValue expectedEnd;
};

const StartEndCase kStartEndCases[] = {
    {"overnight: the end stays on the date, before the start", TestZone::Berlin,
     {2005, 3, 1, 0, 0, 0}, false, {2005, 2, 10, 23, 0, 0}, {2005, 2, 11, 1, 0, 0},
     UtcTime(2005, 3, 1, 22), UtcTime(2005, 3, 1, 0)},
    {"times taken in summer, date in winter", TestZone::Berlin, {2005, 1, 10, 0, 0, 0}, false,
     {2005, 7, 15, 9, 0, 0}, {2005, 8, 1, 17, 45, 30}, UtcTime(2005, 1, 10, 8),
     UtcTime(2005, 1, 10, 16, 45, 30)},
    {"a span over the spring change", TestZone::Berlin, {2005, 3, 27, 0, 0, 0}, false,
     {2005, 1, 10, 1, 30, 0}, {2005, 1, 10, 4, 15, 0}, UtcTime(2005, 3, 27, 0, 30),
     UtcTime(2005, 3, 27, 2, 15)},
    {"date given with a time of day", TestZone::Berlin, {2005, 6, 1, 15, 20, 0}, false,
     {2005, 6, 1, 10, 0, 0}, {2005, 6, 1, 11, 0, 0}, UtcTime(2005, 6, 1, 8),
     UtcTime(2005, 6, 1, 9)},
    {"untimed on the 23-hour day", TestZone::Berlin, {2005, 3, 27, 12, 0, 0}, true,
     {2005, 3, 27, 9, 0, 0}, {2005, 3, 27, 10, 0, 0}, UtcTime(2005, 3, 26, 23),
     UtcTime(2005, 3, 27, 23)},
    {"untimed on the 25-hour day", TestZone::Berlin, {2005, 10, 30, 0, 0, 0}, true,
     {2005, 1, 1, 9, 0, 0}, {2005, 1, 1, 10, 0, 0}, UtcTime(2005, 10, 29, 22),
     UtcTime(2005, 10, 30, 22)},
    {"untimed on an ordinary day", TestZone::Berlin, {2005, 3, 1, 0, 0, 0}, true,
     {2005, 1, 1, 9, 0, 0}, {2005, 1, 1, 10, 0, 0}, UtcTime(2005, 2, 28, 23),
     UtcTime(2005, 3, 1, 23)},
    {"a span over the spring change", TestZone::NewYork, {2007, 3, 11, 0, 0, 0}, false,
     {2007, 2, 1, 1, 0, 0}, {2007, 2, 1, 4, 0, 0}, UtcTime(2007, 3, 11, 6),
     UtcTime(2007, 3, 11, 8)},
    {"untimed on the 25-hour day", TestZone::NewYork, {2007, 11, 4, 0, 0, 0}, true,
     {2007, 1, 1, 9, 0, 0}, {2007, 1, 1, 10, 0, 0}, UtcTime(2007, 11, 4, 4),
     UtcTime(2007, 11, 5, 4)},
    {"overnight, times taken in winter", TestZone::NewYork, {2007, 6, 30, 0, 0, 0}, false,
     {2007, 12, 1, 22, 0, 0}, {2007, 12, 2, 1, 30, 0}, UtcTime(2007, 7, 1, 2),
     UtcTime(2007, 6, 30, 5, 30)},
};

TEST(AppointmentRecordTest, StartAndEndCombineTheDateWithTheTimesOfDay) {
  Options options;
  for (const StartEndCase& c : kStartEndCases) {
    SCOPED_TRACE(c.what);
    ScopedTimeZone zone(c.zone);
    ExpectZoneActive(c.zone);
    AppointmentRecord record(options);
    record.SetDate(c.date.Value());
    record.untimed = c.untimed;
    record.SetStartTime(c.startTime.Value());
    record.SetEndTime(c.endTime.Value());
    EXPECT_EQ(record.GetStart(), c.expectedStart);
    EXPECT_EQ(record.GetEnd(), c.expectedEnd);
  }
}

TEST(AppointmentRecordTest, SetDateKeepsLocalMidnightOfTheDay) {
  ScopedTimeZone zone(TestZone::Berlin);
  ExpectZoneActive(TestZone::Berlin);
  Options options;
  AppointmentRecord record(options);
  record.SetDate(UtcTime(2005, 3, 26, 23, 30));  // already 27 March in Berlin
  EXPECT_EQ(record.date, UtcTime(2005, 3, 26, 23));
  record.SetDate(UtcTime(2005, 10, 30, 22, 59));  // the last minute of the long day
  EXPECT_EQ(record.date, UtcTime(2005, 10, 29, 22));
}

TEST(AppointmentRecordTest, ResetKeepsOnlyExceptionsAndTheAlarmAdvance) {
  Options options;
  AppointmentRecord record(options);
  record.exceptions = "1/2/2005 1/9/2005";
  record.repeatEnd = 5;
  record.repeatInterval = 2;
  record.repeatType = Yearly;
  record.monthlyWeekIndex = 3;
  record.weekDays = 0x7F;
  record.alarmUnit = Days;
  record.alarmAmount = 4;
  record.alarm = 1;
  record.recordId = 77;
  record.untimed = 1;
  record.isPrivate = 1;
  record.repeat = 1;
  record.note = "n";
  record.text = "t";
  record.endTime = 6;
  record.startTime = 7;
  record.timeSpan = 8;
  record.date = 9;
  record.location = "l";
  record.category = "c";

  record.Reset();

  EXPECT_EQ(record.exceptions, "1/2/2005 1/9/2005");
  EXPECT_EQ(record.alarmUnit, Days);
  EXPECT_EQ(record.alarmAmount, 4);
  EXPECT_EQ(record.repeatType, Daily);
  EXPECT_EQ(record.repeatEnd, 0);
  EXPECT_EQ(record.repeatInterval, 0);
  EXPECT_EQ(record.monthlyWeekIndex, 0);
  EXPECT_EQ(record.weekDays, 0);
  EXPECT_EQ(record.alarm, 0);
  EXPECT_EQ(record.recordId, 0);
  EXPECT_EQ(record.untimed, 0);
  EXPECT_EQ(record.isPrivate, 0);
  EXPECT_EQ(record.repeat, 0);
  EXPECT_EQ(record.note, "");
  EXPECT_EQ(record.text, "");
  EXPECT_EQ(record.endTime, 0);
  EXPECT_EQ(record.startTime, 0);
  EXPECT_EQ(record.timeSpan, 0);
  EXPECT_EQ(record.date, 0);
  EXPECT_EQ(record.location, "");
  EXPECT_EQ(record.category, "");
}

TEST(AppointmentRecordTest, RepeatTypeNamesAreMatchedExactly) {
  const struct {
    const char* name;
    std::int32_t expected;
  } cases[] = {
      {"Daily", Daily},          {"Weekly", Weekly},      {"Monthly Date", MonthlyDate},
      {"Monthly Day", MonthlyDay}, {"Yearly", Yearly},
      // Anything else leaves the type as it was (Yearly from the setup).
      {"daily", Yearly},         {"Monthly", Yearly},     {" Weekly", Yearly},
      {"Monthly Days", Yearly},  {"", Yearly},
  };
  Options options;
  AppointmentRecord record(options);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    record.repeatType = Yearly;
    record.SetRepeatTypeByName(c.name);
    EXPECT_EQ(record.repeatType, c.expected);
  }
  record.Reset();
  record.SetRepeatTypeByName("weekly");
  EXPECT_EQ(record.repeatType, Daily);
}

TEST(AppointmentRecordTest, AlarmMinutesFollowTheUnit) {
  const struct {
    std::int32_t alarm, unit, amount, expected;
  } cases[] = {
      {1, Minutes, 15, 15},
      {1, Hours, 3, 180},
      {1, Days, 2, 2880},
      {1, 7, 5, 5},  // an unknown unit counts as minutes
      {0, Days, 2, 0},
      {0, Minutes, 99, 0},
      // A huge advance from a file stays the largest advance, not a wrapped one.
      {1, Days, 2000000000, 2147483647},
  };
  Options options;
  AppointmentRecord record(options);
  for (const auto& c : cases) {
    record.alarm = c.alarm;
    record.alarmUnit = c.unit;
    record.alarmAmount = c.amount;
    EXPECT_EQ(record.GetAlarmMinutes(), c.expected)
        << "alarm " << c.alarm << " unit " << c.unit << " amount " << c.amount;
  }
}

class DisplayTextTest : public ::testing::Test {
 protected:
  ScopedTimeZone zone_{TestZone::Berlin};
  ScopedEnvironmentVariable locale_{"TAVIR_LOCALE", std::string("en-US")};
  // The portable build takes the ANSI code page from the locale's codeset
  // (UTF-8 here); Windows keeps its system code page.
  ScopedEnvironmentVariable codeset_{"LC_ALL", std::string("C.UTF-8")};
  Options options_;
  AppointmentRecord record_{options_};

  void SetUp() override {
    ExpectZoneActive(TestZone::Berlin);
    record_.SetDate(BuildLocal(2005, 10, 26, 0, 0, 0));
    record_.SetStartTime(BuildLocal(2005, 10, 26, 9, 0, 0));
    record_.SetEndTime(BuildLocal(2005, 10, 26, 10, 30, 0));
  }
};

TEST_F(DisplayTextTest, TimedRepeatingAppointmentShowsTimesAndTheFirst27Bytes) {
  record_.text = "0123456789012345678901234567890123456789";
  record_.repeat = 1;
  EXPECT_EQ(record_.GetDisplayText(),
            "10/26/2005 9:00 AM - 10:30 AM 012345678901234567890123456 (repeat)");
}

TEST_F(DisplayTextTest, UntimedAppointmentShowsNoTimes) {
  record_.untimed = 1;
  record_.text = "Holiday";
  EXPECT_EQ(record_.GetDisplayText(), "10/26/2005 Holiday");
}

TEST_F(DisplayTextTest, CutDoesNotSplitACharacter) {
  record_.untimed = 1;
  const std::string prefix = "10/26/2005 ";
  if (AnsiCodePageIsUtf8()) {
    // 26 ASCII bytes, then "\xC3\xA4" would end at byte 28: it is left out.
    record_.text = std::string(26, 'a') + "\xC3\xA4" + "bc";
    EXPECT_EQ(record_.GetDisplayText(), prefix + std::string(26, 'a'));
    // 25 ASCII bytes and the same character end exactly at byte 27: it stays.
    record_.text = std::string(25, 'a') + "\xC3\xA4" + "bc";
    EXPECT_EQ(record_.GetDisplayText(), prefix + std::string(25, 'a') + "\xC3\xA4");
    // A three-byte character starting at byte 26 is left out whole.
    record_.text = std::string(25, 'a') + "\xE2\x82\xAC" + "x";
    EXPECT_EQ(record_.GetDisplayText(), prefix + std::string(25, 'a'));
  } else {
    // A single-byte code page: every byte is a character.
    record_.text = std::string(26, 'a') + "\xE4\xE4" + "bc";
    EXPECT_EQ(record_.GetDisplayText(), prefix + std::string(26, 'a') + "\xE4");
  }
}

}  // namespace
}  // namespace tavir
