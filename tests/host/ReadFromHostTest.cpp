// Reading a host appointment into a record: every field, the invalid times
// that skip an appointment, and the optional second interface.
#include <gtest/gtest.h>

#include "host/HostFixture.h"
#include "host/Transfer.h"
#include "platform/ComError.h"

namespace tavir {
namespace {

using test_support::HostFixture;

AppointmentData Meeting() {
  AppointmentData a;
  a.start = BuildLocal(2005, 10, 26, 9, 0, 0);
  a.end = BuildLocal(2005, 10, 26, 10, 30, 0);
  a.description = AnsiToWide("Meeting");
  a.note = AnsiToWide("Bring slides");
  a.location = AnsiToWide("Room 101");
  a.category = AnsiToWide("Business");
  a.isPrivate = true;
  a.alarm = true;
  a.alarmUnit = Hours;
  a.alarmAmount = 2;
  return a;
}

class ReadFromHostTest : public HostFixture {
 protected:
  // Reads the stored appointment into record; returns ReadFromHost's result.
  int Read(const AppointmentData& stored, AppointmentRecord& record) {
    const std::int32_t id = data_->Add(stored)->recordId;
    const ComPtr<IDesktopDatebook> datebook = OpenDatebook(options_);
    const ComPtr<IDesktopAppointment> appointment = HostAppointment(datebook.Get(), id);
    return ReadFromHost(record, appointment.Get());
  }
};

TEST_F(ReadFromHostTest, TimedAppointmentWithAlarm) {
  AppointmentRecord record(options_);
  ASSERT_EQ(Read(Meeting(), record), 0);
  EXPECT_EQ(TextsOf(record), "Meeting|Bring slides|Room 101|Business");
  EXPECT_NE(record.isPrivate, 0);
  EXPECT_EQ(record.untimed, 0);
  EXPECT_GT(record.recordId, 0);
  EXPECT_EQ(record.date, BuildLocal(2005, 10, 26, 0, 0, 0));
  EXPECT_EQ(record.startTime, BuildLocal(2005, 10, 26, 9, 0, 0));
  EXPECT_EQ(record.endTime, BuildLocal(2005, 10, 26, 10, 30, 0));
  EXPECT_EQ(record.timeSpan, 5400);
  EXPECT_EQ(record.GetAlarmMinutes(), 120);
  EXPECT_EQ(record.alarmUnit, Hours);
  EXPECT_EQ(record.repeat, 0);
  EXPECT_EQ(record.exceptions, "");
}

TEST_F(ReadFromHostTest, RepeatRules) {
  const TimeValue end = BuildLocal(2006, 3, 1, 0, 0, 0);
  const struct {
    const char* what;
    RepeatRule rule;
    std::int32_t type, interval, weekIndex;
    std::uint8_t weekDays;
    TimeValue repeatEnd;
  } cases[] = {
      {"weekly with end", {Weekly, 2, end, 2 | 8}, Weekly, 2, 0, 2 | 8, end},
      {"monthly by day without end", {MonthlyDay, 1, 0, 4}, MonthlyDay, 1, 4, 0, 0},
      {"monthly by date", {MonthlyDate, 3, end, 0}, MonthlyDate, 3, 0, 0, end},
      {"yearly", {Yearly, 1, 0, 0}, Yearly, 1, 0, 0, 0},
      {"daily", {Daily, 5, end, 0}, Daily, 5, 0, 0, end},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AppointmentData stored = Meeting();
    stored.repeat = c.rule;
    AppointmentRecord record(options_);
    ASSERT_EQ(Read(stored, record), 0);
    EXPECT_EQ(record.repeat, 1);
    EXPECT_EQ(record.repeatType, c.type);
    EXPECT_EQ(record.repeatInterval, c.interval);
    EXPECT_EQ(record.monthlyWeekIndex, c.weekIndex);
    EXPECT_EQ(record.weekDays, c.weekDays);
    EXPECT_EQ(record.repeatEnd, c.repeatEnd);
  }
}

TEST_F(ReadFromHostTest, InvalidStartOrEndSkipsTheAppointment) {
  const struct {
    const char* what;
    TimeValue start, end;
    bool untimed;
    int expected;
  } cases[] = {
      {"start 0", 0, BuildLocal(2005, 10, 26, 10, 0, 0), false, -1},
      {"start -1", -1, BuildLocal(2005, 10, 26, 10, 0, 0), false, -1},
      {"timed, end 0", BuildLocal(2005, 10, 26, 9, 0, 0), 0, false, -1},
      {"untimed, end 0", BuildLocal(2005, 10, 26, 0, 0, 0), 0, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AppointmentData stored = Meeting();
    stored.start = c.start;
    stored.end = c.end;
    stored.untimed = c.untimed;
    AppointmentRecord record(options_);
    EXPECT_EQ(Read(stored, record), c.expected);
    if (c.expected == -1) {
      // Nothing after the times was read.
      EXPECT_EQ(record.alarm, 0);
      EXPECT_EQ(record.location, "");
      EXPECT_EQ(record.endTime, 0);
      EXPECT_EQ(record.timeSpan, 0);
    }
  }
}

TEST_F(ReadFromHostTest, LocationAndCategoryOnlyThroughTheSecondInterface) {
  const struct {
    const char* what;
    const char* fault;  // nullptr: the host has no IDesktopAppointment2
    const char* location;
    const char* category;
  } cases[] = {
      {"no IDesktopAppointment2", nullptr, "", ""},
      {"get_Category fails", "get_Category", "Room 101", ""},
      {"get_Location fails", "get_Location", "", ""},
      {"asking for the interface fails", "IDesktopAppointment.QueryInterface", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    data_->SetOffersAppointment2(c.fault != nullptr);
    if (c.fault)
      data_->Faults().Add({c.fault, E_FAIL, "refused", 1, true});
    AppointmentRecord record(options_);
    EXPECT_EQ(Read(Meeting(), record), 0);
    EXPECT_EQ(record.location, c.location);
    EXPECT_EQ(record.category, c.category);
    EXPECT_EQ(record.alarmAmount, 2) << "what came before is kept";
    data_->Faults().Clear();
  }
}

TEST_F(ReadFromHostTest, OtherHostErrorsPassToTheCaller) {
  for (const char* method : {"get_Description", "get_StartTime", "GetRepeat", "GetAlarm"}) {
    SCOPED_TRACE(method);
    AppointmentData stored = Meeting();
    stored.repeat = {Daily, 1, 0, 0};
    FailOnce(method);
    AppointmentRecord record(options_);
    EXPECT_THROW(Read(stored, record), ComError);
  }
}

}  // namespace
}  // namespace tavir
