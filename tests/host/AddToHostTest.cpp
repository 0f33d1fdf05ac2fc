// Creating appointments from imported records: times over midnight and
// daylight saving changes, the common fields, the note limit, and host
// errors with the clean-up of a half-written appointment.
#include <vector>

#include <gtest/gtest.h>

#include "host/HostFixture.h"
#include "host/Transfer.h"
#include "platform/ComError.h"

namespace tavir {
namespace {

using test_support::HostFixture;
using test_support::UtcTime;

TimeValue At(int month, int day, int hour, int minute = 0, int second = 0) {
  return BuildLocal(2005, month, day, hour, minute, second);
}

class AddToHostTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    record_.text = "Meeting";
    record_.note = "Bring slides";
    record_.location = "Room 101";
    record_.category = "Business";
    record_.date = At(10, 26, 0);
    record_.startTime = At(10, 26, 9);
    record_.endTime = At(10, 26, 10, 30);
  }
};

TEST_F(AddToHostTest, StartAndEndOfTimedAndUntimedRecords) {
  const struct {
    const char* what;
    TimeValue date, startTime, endTime;
    bool untimed;
    TimeValue start, end;
  } cases[] = {
      {"over midnight", At(3, 1, 0), At(1, 1, 22), At(1, 1, 1, 30), false, UtcTime(2005, 3, 1, 21),
       UtcTime(2005, 3, 2, 0, 30)},
      {"ends when it starts", At(3, 1, 0), At(3, 1, 10), At(3, 1, 10), false,
       UtcTime(2005, 3, 1, 9), UtcTime(2005, 3, 1, 9)},
      {"end a minute before the start", At(3, 1, 0), At(3, 1, 10, 1), At(3, 1, 10), false,
       UtcTime(2005, 3, 1, 9, 1), UtcTime(2005, 3, 2, 9)},
      {"seconds are dropped", At(3, 1, 0), At(3, 1, 10, 0, 59), At(3, 1, 11, 0, 30), false,
       UtcTime(2005, 3, 1, 9), UtcTime(2005, 3, 1, 10)},
      {"over midnight on the 25-hour day", At(10, 30, 0), At(1, 1, 23), At(1, 1, 0, 30), false,
       UtcTime(2005, 10, 30, 22), UtcTime(2005, 10, 30, 23, 30)},
      {"over midnight into the 23-hour day", At(3, 26, 0), At(1, 1, 23), At(1, 1, 3, 30), false,
       UtcTime(2005, 3, 26, 22), UtcTime(2005, 3, 27, 1, 30)},
      {"untimed", At(3, 1, 0), At(3, 1, 10), At(3, 1, 11), true, UtcTime(2005, 2, 28, 23),
       UtcTime(2005, 2, 28, 23)},
      // 2:00 to 3:00 does not exist on 2005-03-27: a time there moves forward by the gap.
      {"start in the gap keeps the length", At(3, 27, 0), At(1, 1, 2, 45), At(1, 1, 3, 15), false,
       UtcTime(2005, 3, 27, 1, 45), UtcTime(2005, 3, 27, 2, 15)},
      {"inside the gap", At(3, 27, 0), At(1, 1, 2, 15), At(1, 1, 2, 45), false,
       UtcTime(2005, 3, 27, 1, 15), UtcTime(2005, 3, 27, 1, 45)},
      {"end in the gap", At(3, 27, 0), At(1, 1, 1, 30), At(1, 1, 2, 30), false,
       UtcTime(2005, 3, 27, 0, 30), UtcTime(2005, 3, 27, 1, 30)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    record_.date = c.date;
    record_.startTime = c.startTime;
    record_.endTime = c.endTime;
    record_.untimed = c.untimed;
    const auto [result, stored] = Add();
    EXPECT_EQ(result, 0);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->start, c.start);
    EXPECT_EQ(stored->end, c.end);
    EXPECT_EQ(stored->untimed, c.untimed);
  }
  EXPECT_TRUE(shell_.Messages().empty());
}

TEST_F(AddToHostTest, CommonFieldsAreWritten) {
  for (const bool set : {true, false}) {
    record_.isPrivate = set;
    record_.alarm = set;
    record_.alarmUnit = Days;
    record_.alarmAmount = 3;
    const auto [result, stored] = Add();
    EXPECT_EQ(result, 0);
    ASSERT_TRUE(stored);
    EXPECT_EQ(TextsOf(*stored), "Meeting|Bring slides|Room 101|Business");
    EXPECT_EQ(stored->isPrivate, set);
    EXPECT_EQ(stored->alarm, set);
    if (set) {
      EXPECT_EQ(stored->alarmUnit, Days);
      EXPECT_EQ(stored->alarmAmount, 3);
    }
    EXPECT_FALSE(stored->Repeats());
  }
}

TEST_F(AddToHostTest, NoteIsCutTo32768BytesBetweenCharacters) {
  const std::string n32766(32766, 'n'), n32767(32767, 'n'), n32768(32768, 'n');
  // Natively UTF-8; under Wine a single-byte code page, where every byte is
  // a character.
  const bool utf8 = AnsiCodePageIsUtf8();
  const struct {
    std::string note, written;
  } cases[] = {
      {std::string(40000, 'n'), n32768},
      {n32768, n32768},
      {n32767 + "\xC3\xA4x", utf8 ? n32767 : n32767 + "\xC3"},
      {n32766 + "\xC3\xA4x", n32766 + "\xC3\xA4"},
  };
  for (const auto& c : cases) {
    record_.note = c.note;
    const auto [result, stored] = Add();
    EXPECT_EQ(result, 0);
    ASSERT_TRUE(stored);
    EXPECT_EQ(WideToAnsi(stored->note), c.written) << c.note.size() << " bytes";
  }
}

TEST_F(AddToHostTest, LocationAndCategoryNeedTheSecondInterfaceAndTheirErrorsAreDropped) {
  const struct {
    bool offersSecond;
    const char* fault;
    const char* texts;
  } cases[] = {
      {false, nullptr, "Meeting|Bring slides||"},
      // The category comes after the location.
      {true, "put_Location", "Meeting|Bring slides||"},
      {true, "put_Category", "Meeting|Bring slides|Room 101|"},
  };
  for (const auto& c : cases) {
    data_->SetOffersAppointment2(c.offersSecond);
    if (c.fault)
      FailOnce(c.fault);
    const auto [result, stored] = Add();
    EXPECT_EQ(result, 0);
    ASSERT_TRUE(stored);
    EXPECT_EQ(TextsOf(*stored), c.texts);
  }
  EXPECT_TRUE(shell_.Messages().empty());
}

TEST_F(AddToHostTest, HostErrorsAskTheUserAndRemoveHalfWrittenAppointments) {
  record_.repeat = 1;
  record_.repeatType = Daily;
  record_.repeatInterval = 1;
  record_.exceptions = "10/27/2005";
  const struct {
    const char* method;
    MessageAnswer answer;
    int expected;
    bool kept;  // the appointment stays (errors of the repeat rule)
  } cases[] = {
      {"AddAppointment", MessageAnswer::Ok, 0, false},
      {"put_Untimed", MessageAnswer::Cancel, -1, false},
      {"put_Note", MessageAnswer::Ok, 0, false},
      {"put_Private", MessageAnswer::Cancel, -1, false},
      {"put_Alarm", MessageAnswer::Ok, 0, false},
      {"SetRepeat", MessageAnswer::Ok, 0, true},
      {"AddException", MessageAnswer::Cancel, -1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.method);
    data_->Faults().Clear();
    FailOnce(c.method, std::string(c.method) + " refused");
    shell_.QueueAnswer(c.answer);
    const std::size_t messagesBefore = shell_.Messages().size();
    const std::size_t before = ActiveAppointments().size();
    const auto [result, stored] = Add();
    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(ActiveAppointments().size(), before + (c.kept ? 1 : 0));
    EXPECT_EQ(bool(stored), c.kept);
    ASSERT_EQ(shell_.Messages().size(), messagesBefore + 1);
    const test_support::ShownMessage& shown = shell_.Messages().back();
    EXPECT_EQ(shown.text,
              "Can't add the following appointment to Palm Desktop:\n"
              "10/26/2005 9:00 AM - 10:30 AM Meeting (repeat)\n" +
                  std::string(c.method) + " refused");
    EXPECT_EQ(shown.buttons, MessageButtons::OkCancel);
    EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
  }
  data_->Faults().Clear();
}

TEST_F(AddToHostTest, AFailedCleanUpGoesToTheCaller) {
  FailOnce("put_Note");
  FailOnce("Delete", "cannot delete");
  const ComPtr<IDesktopDatebook> datebook = OpenDatebook(options_);
  ComPtr<IDesktopAppointment> appointment;
  try {
    AddToHost(record_, datebook.Get(), appointment);
    ADD_FAILURE() << "no ComError";
  } catch (const ComError& error) {
    EXPECT_EQ(error.Description(), "cannot delete");
  }
  EXPECT_TRUE(shell_.Messages().empty());
}

TEST_F(AddToHostTest, AnAppointmentTheCallerStillHoldsIsNeverDeleted) {
  // The out-parameter may hold the previous record's appointment.
  const auto [first, stored] = Add();
  ASSERT_TRUE(stored);
  const ComPtr<IDesktopDatebook> datebook = OpenDatebook(options_);
  ComPtr<IDesktopAppointment> appointment = HostAppointment(datebook.Get(), stored->recordId);
  FailOnce("AddAppointment");
  EXPECT_EQ(AddToHost(record_, datebook.Get(), appointment), 0);
  EXPECT_TRUE(data_->FindActive(stored->recordId));
}

}  // namespace
}  // namespace tavir
