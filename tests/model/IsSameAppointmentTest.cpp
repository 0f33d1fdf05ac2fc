// IsSameAppointment, the duplicate test of import: each step of the
// comparison decides on its own, and the members it ignores change nothing.
#include <gtest/gtest.h>

#include <functional>

#include "model/AppointmentRecord.h"
#include "model/Options.h"
#include "support/TimeZones.h"

namespace tavir {
namespace {

using testing::ScopedTimeZone;
using testing::TestZone;

// A timed repeating appointment, the same on both sides unless a case
// changes one of them.
void Fill(AppointmentRecord& record) {
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

using Change = std::function<void(AppointmentRecord&)>;

struct SameCase {
  const char* what;
  Change changeThis;   // the record read from the host
  Change changeOther;  // the imported record
  bool same;
};

void Nothing(AppointmentRecord&) {}

const SameCase kCases[] = {
    {"identical", Nothing, Nothing, true},
    // 1-3: texts, trimmed, byte for byte
    {"text differs", Nothing, [](AppointmentRecord& r) { r.text = "Meeting 2"; }, false},
    {"text differs in case", Nothing, [](AppointmentRecord& r) { r.text = "meeting"; }, false},
    {"text differs in outer white space", [](AppointmentRecord& r) { r.text = " Meeting\r\n"; },
     [](AppointmentRecord& r) { r.text = "\tMeeting "; }, true},
    {"note differs", Nothing, [](AppointmentRecord& r) { r.note = "Bring coffee"; }, false},
    {"note differs in outer white space", Nothing,
     [](AppointmentRecord& r) { r.note = "Bring slides\n"; }, true},
    {"location differs", Nothing, [](AppointmentRecord& r) { r.location = "Room 102"; }, false},
    {"location missing on one side", Nothing, [](AppointmentRecord& r) { r.location.clear(); },
     false},
    // 4: untimed
    {"untimed on one side", Nothing, [](AppointmentRecord& r) { r.untimed = 1; }, false},
    {"untimed as different non-zero values",
     [](AppointmentRecord& r) { r.untimed = 1; }, [](AppointmentRecord& r) { r.untimed = 2; },
     true},
    // 5: the day
    {"date on another day", Nothing,
     [](AppointmentRecord& r) { r.SetDate(BuildLocal(2005, 10, 27, 0, 0, 0)); }, false},
    {"date with a time of day on the same day", Nothing,
     [](AppointmentRecord& r) { r.date = BuildLocal(2005, 10, 26, 18, 0, 0); }, true},
    // 6: times of a timed record, hour and minute only
    {"start minute differs", Nothing,
     [](AppointmentRecord& r) { r.startTime = BuildLocal(2005, 10, 26, 9, 1, 0); }, false},
    {"end hour differs", Nothing,
     [](AppointmentRecord& r) { r.endTime = BuildLocal(2005, 10, 26, 11, 30, 0); }, false},
    {"times differ only in seconds", Nothing,
     [](AppointmentRecord& r) {
       r.startTime = BuildLocal(2005, 10, 26, 9, 0, 59);
       r.endTime = BuildLocal(2005, 10, 26, 10, 30, 1);
     },
     true},
    {"times given on another day", Nothing,
     [](AppointmentRecord& r) {
       r.startTime = BuildLocal(2005, 1, 3, 9, 0, 0);
       r.endTime = BuildLocal(2005, 7, 3, 10, 30, 0);
     },
     true},
    {"untimed records with different times",
     [](AppointmentRecord& r) { r.untimed = 1; },
     [](AppointmentRecord& r) {
       r.untimed = 1;
       r.startTime = BuildLocal(2005, 10, 26, 14, 0, 0);
       r.endTime = 0;
     },
     true},
    // 7: private
    {"private on one side", Nothing, [](AppointmentRecord& r) { r.isPrivate = 1; }, false},
    // 8: alarm flag and advance
    {"alarm only in the imported record", [](AppointmentRecord& r) { r.alarm = 0; }, Nothing,
     false},
    {"alarm only in the Datebook", Nothing, [](AppointmentRecord& r) { r.alarm = 0; }, false},
    {"alarms of a different advance", Nothing,
     [](AppointmentRecord& r) { r.alarmAmount = 30; }, false},
    {"the same advance in other units",
     [](AppointmentRecord& r) {
       r.alarmUnit = Hours;
       r.alarmAmount = 24;
     },
     [](AppointmentRecord& r) {
       r.alarmUnit = Days;
       r.alarmAmount = 1;
     },
     true},
    {"no alarms, leftover advances differ", [](AppointmentRecord& r) { r.alarm = 0; },
     [](AppointmentRecord& r) {
       r.alarm = 0;
       r.alarmAmount = 99;
     },
     true},
    // 9: repeat flag
    {"repeat on one side", Nothing, [](AppointmentRecord& r) { r.repeat = 0; }, false},
    {"neither repeats, rules differ", [](AppointmentRecord& r) { r.repeat = 0; },
     [](AppointmentRecord& r) {
       r.repeat = 0;
       r.repeatType = Yearly;
       r.weekDays = 0;
       r.repeatInterval = 9;
     },
     true},
    // 10: the rule
    {"repeat type differs", Nothing, [](AppointmentRecord& r) { r.repeatType = Daily; }, false},
    {"repeat interval differs", Nothing, [](AppointmentRecord& r) { r.repeatInterval = 2; },
     false},
    {"repeat end differs by a second", Nothing, [](AppointmentRecord& r) { r.repeatEnd += 1; },
     false},
    {"repeat without end on one side", Nothing, [](AppointmentRecord& r) { r.repeatEnd = 0; },
     false},
    {"weekdays differ in a daily rule",
     [](AppointmentRecord& r) { r.repeatType = Daily; },
     [](AppointmentRecord& r) {
       r.repeatType = Daily;
       r.weekDays = 0;
     },
     false},
    // Members the test ignores
    {"week index differs", Nothing, [](AppointmentRecord& r) { r.monthlyWeekIndex = 4; }, true},
    {"exceptions differ", Nothing, [](AppointmentRecord& r) { r.exceptions = "10/27/2005"; },
     true},
    {"category, record id and time span differ", Nothing,
     [](AppointmentRecord& r) {
       r.category = "Personal";
       r.recordId = 12;
       r.timeSpan = 60;
     },
     true},
};

TEST(IsSameAppointmentTest, EachStepDecides) {
  ScopedTimeZone zone(TestZone::Berlin);
  ASSERT_TRUE(testing::CentralEuropeanTimeIsActive());
  Options options;
  for (const SameCase& c : kCases) {
    SCOPED_TRACE(c.what);
    AppointmentRecord fromHost(options);
    AppointmentRecord imported(options);
    Fill(fromHost);
    Fill(imported);
    c.changeThis(fromHost);
    c.changeOther(imported);
    EXPECT_EQ(fromHost.IsSameAppointment(imported), c.same);
    EXPECT_EQ(imported.IsSameAppointment(fromHost), c.same) << "the other way round";
  }
}

}  // namespace
}  // namespace tavir
