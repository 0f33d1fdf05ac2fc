// Creating appointments from imported records: times over midnight and
// daylight saving changes, the common fields, the note limit, and host
// errors with the clean-up of a half-written appointment.
#include <gtest/gtest.h>

#include <vector>

#include "host/Transfer.h"
#include "platform/ComError.h"
#include "host/HostFixture.h"

namespace tavir {
namespace {

using testing::HostFixture;
using testing::UtcTime;

class AddToHostTest : public HostFixture {
 protected:
  AppointmentRecord record_{options_};

  void SetUp() override {
    HostFixture::SetUp();
    record_.text = "Meeting";
    record_.note = "Bring slides";
    record_.location = "Room 101";
    record_.category = "Business";
    record_.date = BuildLocal(2005, 10, 26, 0, 0, 0);
    record_.startTime = BuildLocal(2005, 10, 26, 9, 0, 0);
    record_.endTime = BuildLocal(2005, 10, 26, 10, 30, 0);
  }

  std::pair<int, std::shared_ptr<AppointmentData>> Add() { return AddRecord(record_); }
};

TEST_F(AddToHostTest, StartAndEndOfTimedAndUntimedRecords) {
  const struct {
    const char* what;
    TimeValue date, startTime, endTime;
    bool untimed;
    TimeValue start, end;
  } cases[] = {
      {"over midnight", BuildLocal(2005, 3, 1, 0, 0, 0), BuildLocal(2005, 1, 1, 22, 0, 0),
       BuildLocal(2005, 1, 1, 1, 30, 0), false, UtcTime(2005, 3, 1, 21), UtcTime(2005, 3, 2, 0, 30)},
      {"ends when it starts", BuildLocal(2005, 3, 1, 0, 0, 0), BuildLocal(2005, 3, 1, 10, 0, 0),
       BuildLocal(2005, 3, 1, 10, 0, 0), false, UtcTime(2005, 3, 1, 9), UtcTime(2005, 3, 1, 9)},
      {"end a minute before the start", BuildLocal(2005, 3, 1, 0, 0, 0),
       BuildLocal(2005, 3, 1, 10, 1, 0), BuildLocal(2005, 3, 1, 10, 0, 0), false,
       UtcTime(2005, 3, 1, 9, 1), UtcTime(2005, 3, 2, 9)},
      {"seconds are dropped", BuildLocal(2005, 3, 1, 0, 0, 0), BuildLocal(2005, 3, 1, 10, 0, 59),
       BuildLocal(2005, 3, 1, 11, 0, 30), false, UtcTime(2005, 3, 1, 9), UtcTime(2005, 3, 1, 10)},
      {"over midnight on the 25-hour day", BuildLocal(2005, 10, 30, 0, 0, 0),
       BuildLocal(2005, 1, 1, 23, 0, 0), BuildLocal(2005, 1, 1, 0, 30, 0), false,
       UtcTime(2005, 10, 30, 22), UtcTime(2005, 10, 30, 23, 30)},
      {"over midnight into the 23-hour day", BuildLocal(2005, 3, 26, 0, 0, 0),
       BuildLocal(2005, 1, 1, 23, 0, 0), BuildLocal(2005, 1, 1, 3, 30, 0), false,
       UtcTime(2005, 3, 26, 22), UtcTime(2005, 3, 27, 1, 30)},
      {"untimed", BuildLocal(2005, 3, 1, 0, 0, 0), BuildLocal(2005, 3, 1, 10, 0, 0),
       BuildLocal(2005, 3, 1, 11, 0, 0), true, UtcTime(2005, 2, 28, 23), UtcTime(2005, 2, 28, 23)},
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
  record_.isPrivate = 1;
  record_.alarm = 1;
  record_.alarmUnit = Days;
  record_.alarmAmount = 3;
  auto [result, stored] = Add();
  EXPECT_EQ(result, 0);
  ASSERT_TRUE(stored);
  EXPECT_EQ(WideToAnsi(stored->description), "Meeting");
  EXPECT_EQ(WideToAnsi(stored->note), "Bring slides");
  EXPECT_EQ(WideToAnsi(stored->location), "Room 101");
  EXPECT_EQ(WideToAnsi(stored->category), "Business");
  EXPECT_TRUE(stored->isPrivate);
  EXPECT_TRUE(stored->alarm);
  EXPECT_EQ(stored->alarmUnit, Days);
  EXPECT_EQ(stored->alarmAmount, 3);
  EXPECT_FALSE(stored->Repeats());

  record_.alarm = 0;
  record_.isPrivate = 0;
  std::tie(result, stored) = Add();
  ASSERT_TRUE(stored);
  EXPECT_FALSE(stored->alarm);
  EXPECT_FALSE(stored->isPrivate);
}

TEST_F(AddToHostTest, NoteIsCutTo32768BytesBetweenCharacters) {
  struct NoteCase {
    const char* what;
    std::string note;
    std::string written;
  };
  std::vector<NoteCase> cases = {
      {"40000 bytes", std::string(40000, 'n'), std::string(32768, 'n')},
      {"exactly the limit", std::string(32768, 'n'), std::string(32768, 'n')},
  };
  if (AnsiCodePageIsUtf8()) {
    cases.push_back({"a two-byte character across the limit",
                     std::string(32767, 'n') + "\xC3\xA4" + "x", std::string(32767, 'n')});
    cases.push_back({"a two-byte character ending at the limit",
                     std::string(32766, 'n') + "\xC3\xA4" + "x",
                     std::string(32766, 'n') + "\xC3\xA4"});
  } else {
    // A single-byte code page (Windows under the test runner's en-US).
    cases.push_back({"every byte is a character", std::string(32767, 'n') + "\xE4\xE4",
                     std::string(32767, 'n') + "\xE4"});
  }
  for (const NoteCase& c : cases) {
    SCOPED_TRACE(c.what);
    record_.note = c.note;
    const auto [result, stored] = Add();
    EXPECT_EQ(result, 0);
    ASSERT_TRUE(stored);
    EXPECT_EQ(WideToAnsi(stored->note), c.written);
  }
}

TEST_F(AddToHostTest, WithoutTheSecondInterfaceLocationAndCategoryAreNotWritten) {
  data_->SetOffersAppointment2(false);
  const auto [result, stored] = Add();
  EXPECT_EQ(result, 0);
  ASSERT_TRUE(stored);
  EXPECT_EQ(WideToAnsi(stored->location), "");
  EXPECT_EQ(WideToAnsi(stored->category), "");
  EXPECT_EQ(WideToAnsi(stored->note), "Bring slides");
}

TEST_F(AddToHostTest, LocationErrorsAreDropped) {
  FailOnce("put_Location");
  const auto [result, stored] = Add();
  EXPECT_EQ(result, 0);
  ASSERT_TRUE(stored);
  EXPECT_EQ(WideToAnsi(stored->location), "");
  EXPECT_EQ(WideToAnsi(stored->category), "") << "the category comes after the location";
  EXPECT_TRUE(shell_.Messages().empty());
}

struct HostErrorCase {
  const char* method;
  MessageAnswer answer;
  int expected;
  bool kept;  // the appointment stays (errors of the repeat rule)
};

TEST_F(AddToHostTest, HostErrorsAskTheUserAndRemoveHalfWrittenAppointments) {
  record_.repeat = 1;
  record_.repeatType = Daily;
  record_.repeatInterval = 1;
  record_.exceptions = "10/27/2005";
  const HostErrorCase cases[] = {
      {"AddAppointment", MessageAnswer::Ok, 0, false},
      {"put_Untimed", MessageAnswer::Cancel, -1, false},
      {"put_Note", MessageAnswer::Ok, 0, false},
      {"put_Private", MessageAnswer::Cancel, -1, false},
      {"put_Alarm", MessageAnswer::Ok, 0, false},
      {"SetRepeat", MessageAnswer::Ok, 0, true},
      {"AddException", MessageAnswer::Cancel, -1, true},
  };
  for (const HostErrorCase& c : cases) {
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
    const testing::ShownMessage& shown = shell_.Messages().back();
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
  auto [first, stored] = Add();
  ASSERT_TRUE(stored);
  const ComPtr<IDesktopDatebook> datebook = OpenDatebook(options_);
  ComPtr<IDesktopAppointment> appointment = HostAppointment(datebook.Get(), stored->recordId);
  FailOnce("AddAppointment");
  EXPECT_EQ(AddToHost(record_, datebook.Get(), appointment), 0);
  EXPECT_TRUE(data_->FindActive(stored->recordId));
}

}  // namespace
}  // namespace tavir
