// Rewriting an existing appointment from an imported record: its times move
// only through the second interface, and a host error never deletes it.
#include <gtest/gtest.h>

#include "host/HostFixture.h"
#include "host/Transfer.h"

namespace tavir {
namespace {

using test_support::HostFixture;
using test_support::UtcTime;

class UpdateHostTest : public HostFixture {
 protected:
  std::shared_ptr<AppointmentData> stored_;

  void SetUp() override {
    HostFixture::SetUp();
    AppointmentData existing;
    existing.start = BuildLocal(2005, 10, 26, 9, 0, 0);
    existing.end = BuildLocal(2005, 10, 26, 10, 0, 0);
    existing.description = AnsiToWide("Old text");
    existing.note = AnsiToWide("Old note");
    existing.location = AnsiToWide("Old room");
    stored_ = data_->Add(existing);

    record_.text = "New text";
    record_.note = "New note";
    record_.location = "New room";
    record_.date = BuildLocal(2005, 10, 30, 0, 0, 0);
    record_.startTime = BuildLocal(2005, 1, 1, 23, 0, 0);
    record_.endTime = BuildLocal(2005, 1, 1, 0, 30, 0);
    record_.recordId = stored_->recordId;
  }

  int Update() {
    const ComPtr<IDesktopDatebook> datebook = OpenDatebook(options_);
    const ComPtr<IDesktopAppointment> appointment =
        FindHostAppointment(datebook.Get(), record_.recordId);
    EXPECT_TRUE(appointment);
    return UpdateHost(record_, datebook.Get(), appointment.Get());
  }
};

TEST_F(UpdateHostTest, RewritesTheAppointmentInPlace) {
  EXPECT_EQ(Update(), 0);
  EXPECT_EQ(ActiveAppointments().size(), 1u);
  EXPECT_EQ(stored_->start, UtcTime(2005, 10, 30, 22));
  EXPECT_EQ(stored_->end, UtcTime(2005, 10, 30, 23, 30));
  EXPECT_EQ(TextsOf(*stored_), "New text|New note|New room|");
}

TEST_F(UpdateHostTest, UntimedRecordGetsItsDateAsStartAndEnd) {
  record_.untimed = 1;
  EXPECT_EQ(Update(), 0);
  EXPECT_TRUE(stored_->untimed);
  EXPECT_EQ(stored_->start, UtcTime(2005, 10, 29, 22));
  EXPECT_EQ(stored_->end, UtcTime(2005, 10, 29, 22));
}

TEST_F(UpdateHostTest, TimesStayWhenTheyCannotBeSet) {
  const TimeValue oldStart = stored_->start;
  const TimeValue oldEnd = stored_->end;
  for (bool offersSecond : {false, true}) {
    SCOPED_TRACE(offersSecond ? "SetTimes fails" : "no IDesktopAppointment2");
    data_->SetOffersAppointment2(offersSecond);
    if (offersSecond)
      FailOnce("SetTimes");
    EXPECT_EQ(Update(), 0);
    EXPECT_EQ(stored_->start, oldStart);
    EXPECT_EQ(stored_->end, oldEnd);
    EXPECT_EQ(TextsOf(*stored_),
              offersSecond ? "New text|New note|New room|" : "New text|New note|Old room|");
  }
  EXPECT_TRUE(shell_.Messages().empty());
}

TEST_F(UpdateHostTest, AHostErrorKeepsTheAppointmentAsFarAsItWasWritten) {
  const struct {
    const char* method;
    MessageAnswer answer;
    int expected;
    const char* texts;  // what the appointment holds afterwards
  } cases[] = {
      {"put_Untimed", MessageAnswer::Ok, 0, "Old text|Old note|Old room|"},
      {"put_Description", MessageAnswer::Cancel, -1, "Old text|Old note|Old room|"},
      {"put_Note", MessageAnswer::Ok, 0, "New text|Old note|Old room|"},
      {"SetAlarm", MessageAnswer::Cancel, -1, "New text|New note|Old room|"},
  };
  record_.alarm = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.method);
    stored_->description = AnsiToWide("Old text");
    stored_->note = AnsiToWide("Old note");
    FailOnce(c.method, "refused");
    shell_.QueueAnswer(c.answer);
    EXPECT_EQ(Update(), c.expected);
    ASSERT_EQ(ActiveAppointments().size(), 1u) << "the user's appointment is never deleted";
    EXPECT_EQ(TextsOf(*stored_), c.texts);
    ASSERT_FALSE(shell_.Messages().empty());
    EXPECT_EQ(shell_.Messages().back().text,
              "Can't add the following appointment to Palm Desktop:\n"
              "10/30/2005 11:00 PM - 12:30 AM New text\nrefused");
  }
  EXPECT_EQ(shell_.Messages().size(), 4u);
}

}  // namespace
}  // namespace tavir
