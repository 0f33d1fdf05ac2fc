// The datebook file keeps wall-clock dates and times: appointments stay at
// the date and time the user gave them when the time zone changes, and files
// of the first format (which kept moments) are converted when opened.
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "desktop/store/DatebookStore.h"
#include "desktop/store/StoreTestSupport.h"
#include "desktop/store/WallClock.h"
#include "support/TimeZones.h"

namespace tavir {
namespace {

using test_support::ScopedTimeZone;
using test_support::TestZone;

const WideString kUser = OLESTR("User");

struct WallTimes {
  LocalFields start, end, repeatEnd, exception;
};

WallTimes ReadOnlyAppointment(const std::string& path) {
  DatebookStore store(path, kUser);
  auto data = store.Load();
  EXPECT_EQ(1u, data->All().size());
  const AppointmentData& a = *data->All().begin()->second;
  EXPECT_EQ(1u, a.exceptions.size());
  return {SplitLocal(a.start), SplitLocal(a.end), SplitLocal(a.repeat.end),
          SplitLocal(*a.exceptions.begin())};
}

void ExpectWallTimes(const WallTimes& t) {
  auto expect = [](const LocalFields& f, int y, int mo, int d, int h, int mi) {
    EXPECT_EQ(std::make_tuple(y, mo, d, h, mi),
              std::make_tuple(f.year, f.month, f.day, f.hour, f.minute));
  };
  expect(t.start, 2010, 3, 28, 1, 30);
  expect(t.end, 2010, 3, 28, 4, 0);
  expect(t.repeatEnd, 2011, 1, 1, 0, 0);
  expect(t.exception, 2010, 4, 4, 0, 0);
}

AppointmentData WeeklyOnDaylightSavingDay() {
  AppointmentData a;
  a.start = BuildLocal(2010, 3, 28, 1, 30, 0);
  a.end = BuildLocal(2010, 3, 28, 4, 0, 0);
  a.description = OLESTR("Early");
  a.repeat = {2, 1, LocalMidnight(2011, 1, 1), 1};
  a.exceptions = {LocalMidnight(2010, 4, 4)};
  return a;
}

TEST(WallClockStore, AppointmentsKeepDateAndTimeWhenTheZoneChanges) {
  test_support::ScratchDirectory directory;
  const std::string path = directory.PathOf("datebook");
  {
    ScopedTimeZone berlin(TestZone::Berlin);
    DatebookStore store(path, kUser);
    auto data = store.Load();
    data->Add(WeeklyOnDaylightSavingDay());
    store.Commit(*data);
  }
  for (TestZone zone : {TestZone::NewYork, TestZone::Berlin}) {
    ScopedTimeZone pinned(zone);
    ExpectWallTimes(ReadOnlyAppointment(path));
  }
}

TEST(WallClockStore, FirstFormatFilesAreConvertedInTheZoneOfTheRun) {
  test_support::ScratchDirectory directory;
  const std::string path = directory.PathOf("datebook");
  ScopedTimeZone berlin(TestZone::Berlin);
  { DatebookStore(path, kUser).Load(); }
  const AppointmentData a = WeeklyOnDaylightSavingDay();
  test_support::RunSql(path,
                       "PRAGMA user_version = 1;"
                       "INSERT INTO appointments VALUES (1, " +
                           std::to_string(a.start) + ", " + std::to_string(a.end) +
                           ", 0, 'Early', '', '', '', 2, 1, " + std::to_string(a.repeat.end) +
                           ", 1, 0, 0, 0, 0, 0);"
                           "INSERT INTO exceptions VALUES (1, " +
                           std::to_string(*a.exceptions.begin()) + ");");
  {
    DatebookStore store(path, kUser);
    store.Commit(*store.Load());
  }
  ScopedTimeZone newYork(TestZone::NewYork);
  ExpectWallTimes(ReadOnlyAppointment(path));
}

// Reading a file takes each day's midnight once and adds the seconds; days
// near a zone change, whose times are missing or doubled, must still come out
// exactly as the single conversion gives them.
TEST(WallClockStore, ReadingManyTimesAgreesWithConvertingEachAroundZoneChanges) {
  for (TestZone zone : {TestZone::Berlin, TestZone::NewYork}) {
    ScopedTimeZone pinned(zone);
    WallClockReader reader;
    for (const int firstDay : {DayFromCivil(2010, 3, 25), DayFromCivil(2010, 10, 29),
                               DayFromCivil(2010, 11, 5), DayFromCivil(2010, 3, 12), -2}) {
      for (std::int64_t wall = std::int64_t{firstDay} * kSecondsPerDay,
                        last = wall + 5 * kSecondsPerDay;
           wall < last; wall += 900) {
        ASSERT_EQ(FromWallClock(wall), reader.Time(wall)) << "wall clock " << wall;
        const TimeValue time = FromWallClock(wall);
        if (time != 0 && time != -1) {
          const LocalFields local = SplitLocal(time);
          ASSERT_EQ(DayFromCivil(local.year, local.month, local.day), reader.DayOf(wall)) << wall;
        }
      }
    }
  }
}

}  // namespace
}  // namespace tavir
