// The occurrence search of the stand-alone datebook, driven as the export and
// remove loops drive it: FindFirstOccurrence gives the cursor, then
// FindNextOccurrence yields each occurrence once.
#include <vector>

#include <gtest/gtest.h>

#include "desktop/CalendarDays.h"
#include "support/DesktopHost.h"
#include "support/TimeZones.h"

namespace tavir {
namespace {

using test_support::DesktopHost;

// Days are written yyyymmdd.
TimeValue Day(int ymd) {
  return LocalMidnight(ymd / 10000, ymd / 100 % 100, ymd % 100);
}

int DayNumberOf(TimeValue t) {
  const LocalFields f = SplitLocal(t);
  return f.year * 10000 + f.month * 100 + f.day;
}

// Every day the loop of the export yields between from and to.
std::vector<int> Expand(IDesktopAppointment& appointment, TimeValue from, TimeValue to) {
  std::vector<int> days;
  TimeValue cursor = 0, previous = 0;
  HostLong found = 0;
  EXPECT_EQ(S_OK, appointment.FindFirstOccurrence(from, to, &cursor, &found));
  while (found && days.size() < 100000) {
    TimeValue day = 0;
    EXPECT_EQ(S_OK, appointment.FindNextOccurrence(&cursor, to, &day, &found));
    if (!found)
      break;
    EXPECT_NE(previous, day) << "the same occurrence twice";
    EXPECT_EQ(day, LocalMidnight(day)) << "an occurrence is a local midnight";
    previous = day;
    days.push_back(DayNumberOf(day));
  }
  return days;
}

class OccurrenceSearch : public ::testing::Test {
 protected:
  ComPtr<IDesktopAppointment> AddAt(TimeValue start, RepeatRule rule) {
    AppointmentData data;
    data.start = start;
    data.end = start + 3600;
    data.repeat = rule;
    return host.Add(data);
  }

  test_support::ScopedTimeZone zone{test_support::TestZone::Berlin};
  DesktopHost host;
};

// The rule types against python-dateutil on generated rules is
// occurrences_match_dateutil; these are the datebook's own turns.
TEST_F(OccurrenceSearch, RulesYieldTheirDays) {
  struct Case {
    const char* name;
    int start;
    RepeatRule rule;
    int end;  // zero: no end
    int to;
    std::vector<int> expected;
  } cases[] = {
      // clang-format off
      {"weekly on Saturday and Sunday: the Sunday after a Saturday opens the next week",
       20050305, {2, 2, 0, 1 | 64}, 0, 20050327, {20050305, 20050313, 20050319, 20050327}},
      {"monthly on the last Monday",
       20050131, {3, 1, 0, 5}, 0, 20050430, {20050131, 20050228, 20050328, 20050425}},
      {"monthly by day from a start that is not the rule's day",
       20050301, {3, 1, 0, 3}, 0, 20050430, {20050301, 20050315, 20050419}},
      {"monthly on the 31st skips shorter months",
       20050131, {4, 1}, 0, 20050815, {20050131, 20050331, 20050531, 20050731}},
      {"no end stops at 2031-12-31", 20311229, {1, 1}, 0, 20371231, {20311229, 20311230, 20311231}},
      {"an end before the start leaves the start day",
       20050308, {2, 1}, 20050301, 20051231, {20050308}},
      // Intervals near the 32-bit limit once wrapped around to days before the cursor.
      {"daily every 2^31 - 1 days", 20050301, {1, 2147483647}, 0, 20311231, {20050301}},
      {"weekly every 400,000,000 weeks", 20050301, {2, 400000000, 0, 4}, 0, 20311231, {20050301}},
      {"monthly by date every 2^31 - 1 months", 20050301, {4, 2147483647}, 0, 20311231, {20050301}},
      {"monthly by day every 2^31 - 1 months",
       20050301, {3, 2147483647, 0, 1}, 0, 20311231, {20050301}},
      {"yearly every 2^31 - 1 years", 20050301, {5, 2147483647}, 0, 20311231, {20050301}},
      // clang-format on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RepeatRule rule = c.rule;
    rule.end = c.end != 0 ? Day(c.end) : 0;
    auto appointment = AddAt(Day(c.start) + 9 * 3600, rule);
    EXPECT_EQ(c.expected, Expand(*appointment.Get(), Day(19700102), Day(c.to)));
  }
}

TEST_F(OccurrenceSearch, BoundsAreDaysFromTheStartOfFromToTheMomentTo) {
  auto appointment = AddAt(BuildLocal(2005, 3, 1, 15, 0, 0), {1, 3});
  // from at 15:00 on 4 March still finds the occurrence of that day; to at
  // midnight includes that day, a second earlier does not.
  const TimeValue from = BuildLocal(2005, 3, 4, 15, 0, 0);
  EXPECT_EQ((std::vector<int>{20050304, 20050307}),
            Expand(*appointment.Get(), from, Day(20050307)));
  EXPECT_EQ((std::vector<int>{20050304}), Expand(*appointment.Get(), from, Day(20050307) - 1));

  TimeValue day = -5;
  HostLong found = -5;
  EXPECT_EQ(S_OK, appointment->FindFirstOccurrence(Day(20050302), Day(20050303), &day, &found));
  EXPECT_EQ(0, found);
  EXPECT_EQ(0, day);

  // The cursor moves to the day after the occurrence; nothing found leaves it.
  TimeValue cursor = BuildLocal(2005, 3, 5, 18, 0, 0);
  EXPECT_EQ(S_OK, appointment->FindNextOccurrence(&cursor, Day(20050331), &day, &found));
  EXPECT_EQ(1, found);
  EXPECT_EQ(Day(20050307), day);
  EXPECT_EQ(Day(20050308), cursor);
  EXPECT_EQ(S_OK, appointment->FindNextOccurrence(&cursor, Day(20050309), &day, &found));
  EXPECT_EQ(0, found);
  EXPECT_EQ(Day(20050308), cursor);
}

TEST_F(OccurrenceSearch, AddedExceptionEndsTheRemoveLoop) {
  // The remove loop makes each found occurrence an exception and relies on
  // never seeing it again.
  auto appointment = AddAt(BuildLocal(2005, 3, 1, 9, 0, 0), {2, 1});
  const TimeValue to = Day(20050331);
  TimeValue cursor = 0;
  HostLong found = 0;
  ASSERT_EQ(S_OK, appointment->FindFirstOccurrence(Day(20050301), to, &cursor, &found));
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
  EXPECT_TRUE(Expand(*appointment.Get(), Day(20050301), to).empty());
  EXPECT_EQ((std::vector<int>{20050405}), Expand(*appointment.Get(), Day(20050301), Day(20050405)));
}

TEST_F(OccurrenceSearch, AChangeBetweenTwoStepsRulesTheNextStep) {
  // The object walking keeps the appointment's days between steps; a change
  // made elsewhere (another object of the record, the data) must not go unseen.
  const struct {
    const char* what;
    HRESULT (*change)(IDesktopAppointment& other, AppointmentData& data);
    int expected;
  } cases[] = {
      {"a weekly rule",
       [](IDesktopAppointment& other, AppointmentData&) { return other.SetRepeat(2, 1, 0, 0); },
       20050308},
      {"an exception",
       [](IDesktopAppointment& other, AppointmentData&) {
         return other.AddException(Day(20050303));
       },
       20050304},
      {"a later start",
       [](IDesktopAppointment&, AppointmentData& data) {
         data.start = BuildLocal(2005, 3, 10, 9, 0, 0);
         return S_OK;
       },
       20050310},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto walking = AddAt(BuildLocal(2005, 3, 1, 9, 0, 0), {1, 1});
    TimeValue cursor = 0, day = 0;
    HostLong found = 0, recordId = 0;
    ASSERT_EQ(S_OK, walking->FindFirstOccurrence(Day(20050301), Day(20050331), &cursor, &found));
    ASSERT_EQ(S_OK, walking->FindNextOccurrence(&cursor, Day(20050331), &day, &found));
    ASSERT_EQ(S_OK, walking->FindNextOccurrence(&cursor, Day(20050331), &day, &found));
    ASSERT_EQ(S_OK, walking->get_RecordID(&recordId));
    ASSERT_EQ(S_OK, c.change(*host.Appointment(recordId).Get(), *host.data->All().at(recordId)));
    ASSERT_EQ(S_OK, walking->FindNextOccurrence(&cursor, Day(20050331), &day, &found));
    EXPECT_EQ(c.expected, found ? DayNumberOf(day) : 0);
  }
}

TEST_F(OccurrenceSearch, AWalkAfterAZoneChangeGivesTheNewZonesMidnights) {
  // Days and midnights are kept between steps; a walk in another zone must
  // not get the last zone's. The end, Berlin's midnight of 5 March, is still
  // 4 March in New York.
  auto appointment = AddAt(BuildLocal(2008, 3, 1, 9, 0, 0), {1, 1, LocalMidnight(2008, 3, 5)});
  EXPECT_EQ(5u, Expand(*appointment.Get(), Day(20080301), Day(20080310)).size());
  test_support::ScopedTimeZone newYork(test_support::TestZone::NewYork);
  // Expand holds each occurrence to its own local midnight.
  EXPECT_EQ(4u, Expand(*appointment.Get(), Day(20080301), Day(20080310)).size());
}

TEST_F(OccurrenceSearch, SixtyYearsOfDailyOccurrencesComeOneByOne) {
  auto appointment = AddAt(BuildLocal(1970, 1, 2, 9, 0, 0), {1, 1});
  const auto days = Expand(*appointment.Get(), Day(19700102), Day(20311231));
  const DayNumber first = DayFromCivil(1970, 1, 2);
  EXPECT_EQ(DayFromCivil(2031, 12, 31) - first + 1, static_cast<DayNumber>(days.size()));
  // Across the daylight saving changes each day is its own local midnight.
  EXPECT_EQ(20050327, days[DayFromCivil(2005, 3, 27) - first]);
  EXPECT_EQ(20051030, days[DayFromCivil(2005, 10, 30) - first]);
}

TEST(CalendarDays, RoundTripsAndWeekdays) {
  for (DayNumber day = DayFromCivil(1969, 1, 1); day <= DayFromCivil(2038, 12, 31); ++day) {
    const CivilDate date = CivilFromDay(day);
    ASSERT_EQ(day, DayFromCivil(date.year, date.month, date.day));
  }
  EXPECT_EQ(4, DayOfWeek(DayFromCivil(1970, 1, 1)));    // Thursday
  EXPECT_EQ(3, DayOfWeek(DayFromCivil(1969, 12, 31)));  // Wednesday
  EXPECT_EQ(0, DayOfWeek(DayFromCivil(1969, 12, 28)));  // Sunday
  EXPECT_EQ(29, DaysInMonth(2000, 2));
  EXPECT_EQ(28, DaysInMonth(1900, 2));
}

}  // namespace
}  // namespace tavir
