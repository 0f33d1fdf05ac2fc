// Archive statistics, marking for archival and removal through the
// stand-alone datebook.
#include <gtest/gtest.h>

#include "engine/ArchiveRemove.h"
#include "engine/EngineFixture.h"
#include "host/Transfer.h"

namespace tavir::test_support {
namespace {

class ArchiveRemoveTest : public EngineFixture {
 protected:
  int Archive(TimeValue limit, int minimumSize = -1) {
    ComPtr<IDesktopDatebook> datebook = OpenDatebook(options_);
    return ArchiveAppointments(options_, datebook.Get(), limit, minimumSize);
  }
  static bool Marked(const std::shared_ptr<AppointmentData>& appointment) {
    return appointment->state == AppointmentState::MarkedForArchival;
  }
};

TEST_F(ArchiveRemoveTest, SizeEstimateCountsTextsAlarmRepeatAndExceptions) {
  auto lunch = AddTimed(2005, 11, 1, 12, 0, 60, "Lunch");
  auto series = AddRepeating(2005, 11, 1, 12, "Lunch", RepeatRule{1, 1, 0, 0});
  series->alarm = true;
  for (int day = 2; day <= 4; ++day) series->exceptions.insert(LocalMidnight(2005, 11, day));
  ComPtr<IDesktopDatebook> datebook = OpenDatebook(options_);
  ComPtr<IDesktopAppointment> plain;
  ComPtr<IDesktopAppointment> repeating;
  ASSERT_EQ(datebook->GetAppointment(lunch->recordId, plain.Receive()), S_OK);
  ASSERT_EQ(datebook->GetAppointment(series->recordId, repeating.Receive()), S_OK);
  EXPECT_EQ(EstimateSize(plain.Get()), 22);
  EXPECT_EQ(EstimateSize(repeating.Get()), 38);
  const ArchiveStatistics statistics = GetArchiveStatistics(options_, datebook.Get());
  EXPECT_EQ(statistics.count, 2);
  EXPECT_EQ(statistics.bytes, 60);
}

TEST_F(ArchiveRemoveTest, SingleAppointmentsUpToTheLimitDayAreMarked) {
  auto lastOfMonth = AddTimed(2005, 10, 31, 18, 0, 60, "last of October");
  auto first = AddTimed(2005, 11, 1, 18, 0, 60, "first of November");
  auto second = AddTimed(2005, 11, 2, 0, 0, 60, "second of November");
  EXPECT_EQ(Archive(LocalMidnight(2005, 11, 1)), 2);
  EXPECT_TRUE(Marked(lastOfMonth));
  EXPECT_TRUE(Marked(first));
  EXPECT_FALSE(Marked(second));
}

TEST_F(ArchiveRemoveTest, RepeatIsMarkedOnlyWhenNoOccurrenceFollowsTheLimit) {
  auto ended = AddRepeating(2003, 1, 1, 9, "ended", RepeatRule{1, 1, LocalMidnight(2004, 6, 30), 0});
  auto running = AddRepeating(1990, 1, 1, 9, "running", RepeatRule{5, 1, 0, 0});
  auto endsOnLimit = AddRepeating(2005, 6, 1, 9, "ends on the limit",
                                  RepeatRule{1, 1, LocalMidnight(2005, 7, 1), 0});
  EXPECT_EQ(Archive(LocalMidnight(2005, 7, 1)), 1);
  EXPECT_TRUE(Marked(ended));
  EXPECT_FALSE(Marked(running));
  // Its last occurrence is the limit day itself: it is kept.
  EXPECT_FALSE(Marked(endsOnLimit));
}

TEST_F(ArchiveRemoveTest, MinimumSizeKeepsSmallAppointments) {
  auto large = AddTimed(2005, 1, 3, 9, 0, 60, std::string(40, 't'), std::string(50, 'n'));
  auto small = AddTimed(2005, 1, 4, 9, 0, 60, std::string(10, 't'));
  EXPECT_EQ(Archive(LocalMidnight(2005, 2, 1), 100), 1);
  EXPECT_TRUE(Marked(large));
  EXPECT_FALSE(Marked(small));
}

TEST_F(ArchiveRemoveTest, CategoryFilterLimitsArchiveAndStatistics) {
  AddTimed(2005, 1, 3, 9, 0, 60, "a", "", "Work");
  AddTimed(2005, 1, 4, 9, 0, 60, "b", "", "Home");
  options_.dofilter = 1;
  options_.filtertype = 6;
  options_.filtertext = "work";
  ComPtr<IDesktopDatebook> datebook = OpenDatebook(options_);
  EXPECT_EQ(GetArchiveStatistics(options_, datebook.Get()).count, 1);
  EXPECT_EQ(Archive(LocalMidnight(2005, 2, 1)), 1);
}

TEST_F(ArchiveRemoveTest, SimpleRemoveTakesTheSpansOccurrencesAndKeepsItsFirstInstant) {
  // Today 2005-11-10, span 2005-10-11 .. 2005-12-10: Mondays 10-17 .. 12-05.
  auto weekly = AddRepeating(2005, 9, 5, 9, "weekly", RepeatRule{2, 1, 0, 2});
  AddTimed(2005, 10, 11, 0, 0, 60, "first instant");
  AddTimed(2005, 10, 12, 9, 0, 60, "inside");
  AddTimed(2005, 12, 11, 9, 0, 60, "outside");
  options_.fullformat = 0;
  EXPECT_EQ(RemoveAppointments(options_, nullptr), 9);
  EXPECT_EQ(weekly->exceptions.size(), 8u);
  EXPECT_TRUE(weekly->exceptions.count(LocalMidnight(2005, 10, 17)));
  EXPECT_TRUE(weekly->exceptions.count(LocalMidnight(2005, 12, 5)));
  EXPECT_EQ(weekly->state, AppointmentState::Active);
  EXPECT_EQ(CountActive(), 3) << "the series, the first instant and the one outside";
}

TEST_F(ArchiveRemoveTest, FullRemoveDeletesEverythingThatPassesTheFilter) {
  AddTimed(1999, 1, 1, 9, 0, 60, "old", "", "Work");
  AddRepeating(2005, 1, 1, 9, "series", RepeatRule{1, 1, 0, 0});
  AddTimed(2005, 1, 1, 9, 0, 60, "home", "", "Home");
  options_.dofilter = 1;
  options_.filtertype = 4;  // text does NOT contain
  options_.filtertext = "home";
  FakeProgress progress;
  EXPECT_EQ(RemoveAppointments(options_, &progress), 2);
  EXPECT_EQ(CountActive(), 1);
  EXPECT_EQ(progress.Range(), 3);
}

TEST_F(ArchiveRemoveTest, QuitMessageStopsTheRemoval) {
  for (int day = 1; day <= 5; ++day) AddTimed(2005, 1, day, 9, 0, 60, "item");
  shell_.QuitAtPump(3);
  EXPECT_EQ(RemoveAppointments(options_, nullptr), 1);
  EXPECT_EQ(CountActive(), 4);
}

}  // namespace
}  // namespace tavir::test_support
