// The appointment record: start and end across days and daylight saving
// changes, repeat type names, alarm advance and the display text.
#include <string>

#include <gtest/gtest.h>

#include "model/AppointmentRecord.h"
#include "model/Options.h"
#include "platform/CodePage.h"
#include "support/Environment.h"
#include "support/TimeZones.h"

namespace tavir {
namespace {

using test_support::ScopedEnvironmentVariable;
using test_support::ScopedTimeZone;
using test_support::TestZone;
using test_support::UtcTime;

struct LocalMoment {
  int year, month, day, hour, minute, second;
  TimeValue Value() const { return BuildLocal(year, month, day, hour, minute, second); }
};

void ExpectZoneActive(TestZone zone) {
  if (zone == TestZone::Berlin)
    ASSERT_TRUE(test_support::CentralEuropeanTimeIsActive())
        << "Central European time is not pinned";
  else
    ASSERT_TRUE(test_support::EasternTimeIsActive()) << "US Eastern time is not pinned";
}

// The date may carry a time of day, even the first or last minute of a day
// whose length changes; SetDate keeps its local midnight.
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

// clang-format off
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
    {"untimed on the 23-hour day", TestZone::Berlin, {2005, 3, 27, 0, 30, 0}, true,
     {2005, 3, 27, 9, 0, 0}, {2005, 3, 27, 10, 0, 0}, UtcTime(2005, 3, 26, 23),
     UtcTime(2005, 3, 27, 23)},
    {"untimed on the 25-hour day", TestZone::Berlin, {2005, 10, 30, 23, 59, 0}, true,
     {2005, 1, 1, 9, 0, 0}, {2005, 1, 1, 10, 0, 0}, UtcTime(2005, 10, 29, 22),
     UtcTime(2005, 10, 30, 22)},
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
// clang-format on

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
    EXPECT_EQ(record.date, BuildLocal(c.date.year, c.date.month, c.date.day, 0, 0, 0));
    EXPECT_EQ(record.GetStart(), c.expectedStart);
    EXPECT_EQ(record.GetEnd(), c.expectedEnd);
  }
}

TEST(AppointmentRecordTest, RepeatTypeNamesAreMatchedIgnoringCase) {
  const struct {
    const char* name;
    std::int32_t expected;  // 0: the type is left as it was
  } cases[] = {{"Daily", Daily},
               {"weekly", Weekly},
               {"Monthly Date", MonthlyDate},
               {"MONTHLY DAY", MonthlyDay},
               {"yearly", Yearly},
               {"Monthly", 0},
               {" Weekly", 0},
               {"Monthly Days", 0},
               {"", 0}};
  Options options;
  AppointmentRecord record(options);
  for (const auto& c : cases) {
    record.repeatType = 0;
    EXPECT_EQ(record.SetRepeatTypeByName(c.name), c.expected != 0) << c.name;
    EXPECT_EQ(record.repeatType, c.expected) << c.name;
  }
}

TEST(AppointmentRecordTest, AlarmMinutesFollowTheUnit) {
  // clang-format off
  const struct {
    std::int32_t alarm, unit, amount, expected;
  } cases[] = {{1, Minutes, 15, 15}, {1, Hours, 3, 180}, {1, Days, 2, 2880},
               {1, 7, 5, 5},  // an unknown unit counts as minutes
               {0, Days, 2, 0},      {0, Minutes, 99, 0},
               // A huge advance from a file stays the largest advance, not a wrapped one.
               {1, Days, 2000000000, 2147483647}};
  // clang-format on
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

TEST(AppointmentRecordTest, DisplayTextShowsTheTimesAndCutsTheTextAt27BytesBetweenCharacters) {
  ScopedTimeZone zone(TestZone::Berlin);
  ExpectZoneActive(TestZone::Berlin);
  ScopedEnvironmentVariable locale("TAVIR_LOCALE", std::string("en-US"));
  // The portable build takes the ANSI code page from the locale's codeset
  // (UTF-8 here); Windows keeps its system code page, where every byte is a
  // character.
  ScopedEnvironmentVariable codeset("LC_ALL", std::string("C.UTF-8"));
  const bool utf8 = AnsiCodePageIsUtf8();
  const std::string a25(25, 'a'), a26(26, 'a');
  const struct {
    bool timed, repeat;
    std::string text, shown;
  } cases[] = {
      {true, true, "0123456789012345678901234567890123456789",
       "9:00 AM - 10:30 AM 012345678901234567890123456 (repeat)"},
      {false, false, "Holiday", "Holiday"},
      {false, false,
       a26 + "\xC3\xA4"
             "bc",
       utf8 ? a26 : a26 + "\xC3"},  // would end at byte 28
      {false, false,
       a25 + "\xC3\xA4"
             "bc",
       a25 + "\xC3\xA4"},  // ends at byte 27
      {false, false,
       a25 + "\xE2\x82\xAC"
             "x",
       utf8 ? a25 : a25 + "\xE2\x82"},
  };
  Options options;
  AppointmentRecord record(options);
  record.SetDate(BuildLocal(2005, 10, 26, 0, 0, 0));
  record.SetStartTime(BuildLocal(2005, 10, 26, 9, 0, 0));
  record.SetEndTime(BuildLocal(2005, 10, 26, 10, 30, 0));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    record.untimed = !c.timed;
    record.repeat = c.repeat;
    record.text = c.text;
    EXPECT_EQ(record.GetDisplayText(), "10/26/2005 " + c.shown);
  }
}

}  // namespace
}  // namespace tavir
