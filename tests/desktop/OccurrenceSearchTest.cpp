// The occurrence search of the stand-alone datebook, driven as the export and
// remove loops drive it: FindFirstOccurrence gives the cursor, then
// FindNextOccurrence yields each occurrence once.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "desktop/CalendarDays.h"
#include "support/DesktopHost.h"
#include "support/TimeZones.h"

namespace tavir {
namespace {

using testing::DesktopHost;

std::string DayText(TimeValue t) {
  const LocalFields f = SplitLocal(t);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", f.year, f.month, f.day);
  return text;
}

TimeValue Day(int year, int month, int day) {
  return LocalMidnight(year, month, day);
}

// Every day the loop of the export yields between from and to.
std::vector<std::string> Expand(IDesktopAppointment& appointment, TimeValue from, TimeValue to) {
  std::vector<std::string> days;
  TimeValue cursor = 0;
  HostLong found = 0;
  EXPECT_EQ(S_OK, appointment.FindFirstOccurrence(from, to, &cursor, &found));
  TimeValue previous = 0;
  while (found && days.size() < 100000) {
    TimeValue day = 0;
    EXPECT_EQ(S_OK, appointment.FindNextOccurrence(&cursor, to, &day, &found));
    if (!found)
      break;
    EXPECT_NE(previous, day) << "the same occurrence twice";
    EXPECT_EQ(day, LocalMidnight(day)) << "an occurrence is a local midnight";
    previous = day;
    days.push_back(DayText(day));
  }
  return days;
}

struct RuleCase {
  const char* name;
  int start[3];
  RepeatRule rule;
  int end[3];  // zero: no end
  std::vector<std::vector<int>> exceptions;
  int to[3];
  std::vector<std::string> expected;
};

class OccurrenceSearch : public ::testing::Test {
 protected:
  testing::ScopedTimeZone zone{testing::TestZone::Berlin};
  DesktopHost host;
};

TEST_F(OccurrenceSearch, RulesYieldTheirDays) {
  const std::vector<RuleCase> cases = {
      {"daily every third day up to the end day inclusive",
       {2005, 3, 1},
       {1, 3},
       {2005, 3, 10},
       {},
       {2005, 12, 31},
       {"2005-03-01", "2005-03-04", "2005-03-07", "2005-03-10"}},
      {"weekly every second week counted from the start's week (Sunday first)",
       {2005, 3, 1},
       {2, 2, 0, 2 | 8},
       {},
       {},
       {2005, 3, 31},
       {"2005-03-01", "2005-03-02", "2005-03-14", "2005-03-16", "2005-03-28", "2005-03-30"}},
      {"weekly with an empty set repeats the start's weekday",
       {2005, 3, 4},
       {2, 1},
       {},
       {},
       {2005, 3, 20},
       {"2005-03-04", "2005-03-11", "2005-03-18"}},
      {"weekly on Saturday and Sunday: the Sunday after a Saturday opens the next week",
       {2005, 3, 5},
       {2, 2, 0, 1 | 64},
       {},
       {},
       {2005, 3, 27},
       {"2005-03-05", "2005-03-13", "2005-03-19", "2005-03-27"}},
      {"monthly on the last Monday",
       {2005, 1, 31},
       {3, 1, 0, 5},
       {},
       {},
       {2005, 4, 30},
       {"2005-01-31", "2005-02-28", "2005-03-28", "2005-04-25"}},
      {"monthly on the second Tuesday of every second month",
       {2005, 3, 8},
       {3, 2, 0, 2},
       {},
       {},
       {2005, 7, 31},
       {"2005-03-08", "2005-05-10", "2005-07-12"}},
      {"monthly by day from a start that is not the rule's day",
       {2005, 3, 1},
       {3, 1, 0, 3},
       {},
       {},
       {2005, 4, 30},
       {"2005-03-01", "2005-03-15", "2005-04-19"}},
      {"monthly on the 31st skips shorter months",
       {2005, 1, 31},
       {4, 1},
       {},
       {},
       {2005, 8, 15},
       {"2005-01-31", "2005-03-31", "2005-05-31", "2005-07-31"}},
      {"yearly on 29 February only in leap years",
       {2004, 2, 29},
       {5, 1},
       {},
       {},
       {2012, 12, 31},
       {"2004-02-29", "2008-02-29", "2012-02-29"}},
      {"yearly every second year on 29 February",
       {2000, 2, 29},
       {5, 2},
       {},
       {},
       {2009, 1, 1},
       {"2000-02-29", "2004-02-29", "2008-02-29"}},
      {"exception days are left out",
       {2005, 3, 1},
       {1, 1},
       {},
       {{2005, 3, 2}, {2005, 3, 3}},
       {2005, 3, 5},
       {"2005-03-01", "2005-03-04", "2005-03-05"}},
      {"an exception on the start day removes it",
       {2005, 3, 1},
       {1, 2},
       {},
       {{2005, 3, 1}},
       {2005, 3, 6},
       {"2005-03-03", "2005-03-05"}},
      {"no end stops at 2031-12-31",
       {2031, 12, 29},
       {1, 1},
       {},
       {},
       {2037, 12, 31},
       {"2031-12-29", "2031-12-30", "2031-12-31"}},
      {"an end before the start leaves the start day",
       {2005, 3, 8},
       {2, 1},
       {2005, 3, 1},
       {},
       {2005, 12, 31},
       {"2005-03-08"}},
      {"a single appointment occurs on its day",
       {2005, 3, 8},
       {},
       {},
       {},
       {2005, 12, 31},
       {"2005-03-08"}},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.name);
    AppointmentData data;
    data.start = BuildLocal(c.start[0], c.start[1], c.start[2], 9, 0, 0);
    data.end = data.start + 3600;
    data.repeat = c.rule;
    if (c.end[0] != 0)
      data.repeat.end = Day(c.end[0], c.end[1], c.end[2]);
    for (const auto& e : c.exceptions)
      data.exceptions.insert(Day(e[0], e[1], e[2]));
    auto appointment = host.Add(data);
    EXPECT_EQ(c.expected,
              Expand(*appointment.Get(), Day(1970, 1, 2), Day(c.to[0], c.to[1], c.to[2])));
  }
}

TEST_F(OccurrenceSearch, BoundsAreDaysFromTheStartOfFromToTheMomentTo) {
  AppointmentData data;
  data.start = BuildLocal(2005, 3, 1, 15, 0, 0);
  data.repeat = {1, 3};
  auto appointment = host.Add(data);
  // from at 15:00 on 4 March still finds the occurrence of that day; to at
  // midnight includes that day, a second earlier does not.
  EXPECT_EQ((std::vector<std::string>{"2005-03-04", "2005-03-07"}),
            Expand(*appointment.Get(), BuildLocal(2005, 3, 4, 15, 0, 0), Day(2005, 3, 7)));
  EXPECT_EQ((std::vector<std::string>{"2005-03-04"}),
            Expand(*appointment.Get(), BuildLocal(2005, 3, 4, 15, 0, 0), Day(2005, 3, 7) - 1));

  TimeValue day = -5;
  HostLong found = -5;
  EXPECT_EQ(S_OK, appointment->FindFirstOccurrence(Day(2005, 3, 2), Day(2005, 3, 3), &day, &found));
  EXPECT_EQ(0, found);
  EXPECT_EQ(0, day);

  // The cursor moves to the day after the occurrence; nothing found leaves it.
  TimeValue cursor = BuildLocal(2005, 3, 5, 18, 0, 0);
  EXPECT_EQ(S_OK, appointment->FindNextOccurrence(&cursor, Day(2005, 3, 31), &day, &found));
  EXPECT_EQ(1, found);
  EXPECT_EQ(Day(2005, 3, 7), day);
  EXPECT_EQ(Day(2005, 3, 8), cursor);
  cursor = Day(2005, 3, 8);
  EXPECT_EQ(S_OK, appointment->FindNextOccurrence(&cursor, Day(2005, 3, 9), &day, &found));
  EXPECT_EQ(0, found);
  EXPECT_EQ(Day(2005, 3, 8), cursor);
}

TEST_F(OccurrenceSearch, AddedExceptionEndsTheRemoveLoop) {
  // The remove loop makes each found occurrence an exception and relies on
  // never seeing it again.
  AppointmentData data;
  data.start = BuildLocal(2005, 3, 1, 9, 0, 0);
  data.repeat = {2, 1};
  auto appointment = host.Add(data);
  const TimeValue to = Day(2005, 3, 31);
  TimeValue cursor = 0;
  HostLong found = 0;
  ASSERT_EQ(S_OK, appointment->FindFirstOccurrence(Day(2005, 3, 1), to, &cursor, &found));
  int removed = 0;
  while (found && removed < 100) {
    TimeValue day = 0;
    ASSERT_EQ(S_OK, appointment->FindNextOccurrence(&cursor, to, &day, &found));
    if (found) {
      ASSERT_EQ(S_OK, appointment->AddException(day + 3 * 3600));
      ++removed;
    }
  }
  EXPECT_EQ(5, removed);
  HostLong count = 0;
  appointment->get_ExceptionCount(&count);
  EXPECT_EQ(5, count);
  EXPECT_TRUE(Expand(*appointment.Get(), Day(2005, 3, 1), to).empty());
  EXPECT_EQ((std::vector<std::string>{"2005-04-05"}),
            Expand(*appointment.Get(), Day(2005, 3, 1), Day(2005, 4, 5)));
}

TEST_F(OccurrenceSearch, SixtyYearsOfDailyOccurrencesComeOneByOne) {
  AppointmentData data;
  data.start = BuildLocal(1970, 1, 2, 9, 0, 0);
  data.repeat = {1, 1};
  auto appointment = host.Add(data);
  const auto days = Expand(*appointment.Get(), Day(1970, 1, 2), Day(2031, 12, 31));
  EXPECT_EQ(DayFromCivil(2031, 12, 31) - DayFromCivil(1970, 1, 2) + 1,
            static_cast<DayNumber>(days.size()));
  // Across the daylight saving changes each day is its own local midnight.
  EXPECT_EQ("2005-03-27", days[DayFromCivil(2005, 3, 27) - DayFromCivil(1970, 1, 2)]);
  EXPECT_EQ("2005-10-30", days[DayFromCivil(2005, 10, 30) - DayFromCivil(1970, 1, 2)]);
}

TEST(CalendarDays, RoundTripsAndWeekdays) {
  for (DayNumber day = DayFromCivil(1969, 1, 1); day <= DayFromCivil(2038, 12, 31); ++day) {
    const CivilDate date = CivilFromDay(day);
    ASSERT_EQ(day, DayFromCivil(date.year, date.month, date.day));
  }
  EXPECT_EQ(4, DayOfWeek(DayFromCivil(1970, 1, 1)));    // Thursday
  EXPECT_EQ(3, DayOfWeek(DayFromCivil(1969, 12, 31)));  // Wednesday
  EXPECT_EQ(0, DayOfWeek(DayFromCivil(1969, 12, 28)));  // Sunday
  EXPECT_EQ(2, DayOfWeek(DayFromCivil(2005, 3, 1)));    // Tuesday
  EXPECT_EQ(29, DaysInMonth(2000, 2));
  EXPECT_EQ(28, DaysInMonth(1900, 2));
}

}  // namespace
}  // namespace tavir
