// IsSameAppointment, the duplicate test of import: each step of the
// comparison decides on its own, and the members it ignores change nothing.
#include <functional>

#include <gtest/gtest.h>

#include "model/AppointmentRecord.h"
#include "model/Options.h"
#include "support/TimeZones.h"

namespace tavir {
namespace {

using test_support::ScopedTimeZone;
using test_support::TestZone;
using R = AppointmentRecord;

// A timed repeating appointment, the same on both sides unless a case
// changes one of them.
void Fill(R& record) {
  record.text = "Meeting";
  record.note = "Bring slides";
  record.location = "Room 101";
  record.category = "Business";
  record.SetDate(BuildLocal(2005, 10, 26, 0, 0, 0));
  record.SetStartTime(BuildLocal(2005, 10, 26, 9, 0, 0));
  record.SetEndTime(BuildLocal(2005, 10, 26, 10, 30, 0));
  record.timeSpan = 5400;
  record.alarm = 1;
  record.alarmUnit = Minutes;
  record.alarmAmount = 15;
  record.repeat = 1;
  record.repeatType = Weekly;
  record.repeatInterval = 1;
  record.weekDays = 2 | 8;
  record.repeatEnd = BuildLocal(2005, 12, 31, 0, 0, 0);
}

TimeValue At(int day, int hour, int minute, int second = 0) {
  return BuildLocal(2005, 10, day, hour, minute, second);
}

struct SameCase {
  const char* what;
  std::function<void(R&)> changeHost;      // the record read from the host; null: none
  std::function<void(R&)> changeImported;  // the imported record; null: none
  bool same;
};

const SameCase kCases[] = {
    {"identical", nullptr, nullptr, true},
    // 1-3: texts, trimmed, byte for byte
    {"text differs", nullptr, [](R& r) { r.text = "Meeting 2"; }, false},
    {"text differs in case", nullptr, [](R& r) { r.text = "meeting"; }, false},
    {"text differs in outer white space", [](R& r) { r.text = " Meeting\r\n"; },
     [](R& r) { r.text = "\tMeeting "; }, true},
    {"note differs", nullptr, [](R& r) { r.note = "Bring coffee"; }, false},
    {"note differs in outer white space", nullptr, [](R& r) { r.note = "Bring slides\n"; }, true},
    {"location differs", nullptr, [](R& r) { r.location = "Room 102"; }, false},
    {"location missing on one side", nullptr, [](R& r) { r.location.clear(); }, false},
    // 4: untimed
    {"untimed on one side", nullptr, [](R& r) { r.untimed = 1; }, false},
    {"untimed as different non-zero values", [](R& r) { r.untimed = 1; },
     [](R& r) { r.untimed = 2; }, true},
    // 5: the day
    {"date on another day", nullptr, [](R& r) { r.SetDate(At(27, 0, 0)); }, false},
    {"date with a time of day on the same day", nullptr, [](R& r) { r.date = At(26, 18, 0); },
     true},
    // 6: times of a timed record, hour and minute only
    {"start minute differs", nullptr, [](R& r) { r.startTime = At(26, 9, 1); }, false},
    {"end hour differs", nullptr, [](R& r) { r.endTime = At(26, 11, 30); }, false},
    {"times differ only in seconds", nullptr,
     [](R& r) { r.startTime = At(26, 9, 0, 59), r.endTime = At(26, 10, 30, 1); }, true},
    {"times given on another day", nullptr,
     [](R& r) {
       r.startTime = BuildLocal(2005, 1, 3, 9, 0, 0);
       r.endTime = BuildLocal(2005, 7, 3, 10, 30, 0);
     },
     true},
    {"untimed records with different times", [](R& r) { r.untimed = 1; },
     [](R& r) { r.untimed = 1, r.startTime = At(26, 14, 0), r.endTime = 0; }, true},
    // 7: private
    {"private on one side", nullptr, [](R& r) { r.isPrivate = 1; }, false},
    // 8: alarm flag and advance
    {"alarm only in the imported record", [](R& r) { r.alarm = 0; }, nullptr, false},
    {"alarm only in the Datebook", nullptr, [](R& r) { r.alarm = 0; }, false},
    {"alarms of a different advance", nullptr, [](R& r) { r.alarmAmount = 30; }, false},
    {"the same advance in other units", [](R& r) { r.alarmUnit = Hours, r.alarmAmount = 24; },
     [](R& r) { r.alarmUnit = Days, r.alarmAmount = 1; }, true},
    {"no alarms, leftover advances differ", [](R& r) { r.alarm = 0; },
     [](R& r) { r.alarm = 0, r.alarmAmount = 99; }, true},
    // 9: repeat flag
    {"repeat on one side", nullptr, [](R& r) { r.repeat = 0; }, false},
    {"neither repeats, rules differ", [](R& r) { r.repeat = 0; },
     [](R& r) { r.repeat = 0, r.repeatType = Yearly, r.weekDays = 0, r.repeatInterval = 9; }, true},
    // 10: the rule
    {"repeat type differs", nullptr, [](R& r) { r.repeatType = Daily; }, false},
    {"repeat interval differs", nullptr, [](R& r) { r.repeatInterval = 2; }, false},
    {"repeat end differs by a second", nullptr, [](R& r) { r.repeatEnd += 1; }, false},
    {"repeat without end on one side", nullptr, [](R& r) { r.repeatEnd = 0; }, false},
    {"weekdays differ in a daily rule", [](R& r) { r.repeatType = Daily; },
     [](R& r) { r.repeatType = Daily, r.weekDays = 0; }, false},
    // Members the test ignores
    {"week index differs", nullptr, [](R& r) { r.monthlyWeekIndex = 4; }, true},
    {"exceptions differ", nullptr, [](R& r) { r.exceptions = "10/27/2005"; }, true},
    {"category, record id and time span differ", nullptr,
     [](R& r) { r.category = "Personal", r.recordId = 12, r.timeSpan = 60; }, true},
};

TEST(IsSameAppointmentTest, EachStepDecides) {
  ScopedTimeZone zone(TestZone::Berlin);
  ASSERT_TRUE(test_support::CentralEuropeanTimeIsActive());
  Options options;
  for (const SameCase& c : kCases) {
    SCOPED_TRACE(c.what);
    R fromHost(options);
    R imported(options);
    Fill(fromHost);
    Fill(imported);
    if (c.changeHost)
      c.changeHost(fromHost);
    if (c.changeImported)
      c.changeImported(imported);
    EXPECT_EQ(fromHost.IsSameAppointment(imported), c.same);
    EXPECT_EQ(imported.IsSameAppointment(fromHost), c.same) << "the other way round";
  }
}

// A file without the "Alarm Time" column reads every advance as 0: only the
// alarm flags may count then, or every alarm of the Datebook would differ.
TEST(IsSameAppointmentTest, TheAdvanceCountsOnlyWhenTheMappingHasAlarmTime) {
  ScopedTimeZone zone(TestZone::Berlin);
  Options options;
  for (const bool mapped : {true, false}) {
    SCOPED_TRACE(mapped ? "mapped" : "not mapped");
    if (!mapped)
      std::erase(options.mapping.simpleFields, field::AlarmTime);
    R fromHost(options);
    R imported(options);
    Fill(fromHost);
    Fill(imported);
    imported.alarmAmount = 0;
    EXPECT_EQ(fromHost.IsSameAppointment(imported), !mapped);
    imported.alarm = 0;
    EXPECT_FALSE(fromHost.IsSameAppointment(imported));
  }
}

}  // namespace
}  // namespace tavir
