// The archive dialog over a datebook with an old small, an old large and a
// recent appointment: what it shows on opening, what it marks, the result
// messages, and the size limit it keeps.
#include <ctime>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "desktop/DatebookData.h"
#include "platform/LocalTime.h"
#include "ui/win32/ArchiveDialog.h"
#include "ui/win32/ResourceIds.h"
#include "win/support/DialogFixture.h"

namespace tavir::test_support {
namespace {

class ArchiveDialogTest : public DialogFixture {
 protected:
  ArchiveDialogTest() {
    options_.minsize = 1000;
    options_.daysback = 30;
    const LocalFields today = SplitLocal(static_cast<TimeValue>(std::time(nullptr)));
    oldSmall_ = Add(today, -60, "Dentist", "");
    oldLarge_ = Add(today, -60, "Report", std::string(1500, 'x'));
    Add(today, 0, "Today", "");
  }
  std::int32_t Add(const LocalFields& today, int days, const char* text, const std::string& note) {
    AppointmentData appointment;
    appointment.start = BuildLocal(today.year, today.month, today.day + days, 10, 0, 0);
    appointment.end = appointment.start + 3600;
    appointment.description = Wide(text);
    appointment.note = WideString(note.begin(), note.end());
    return host_.data->Add(appointment)->recordId;
  }
  std::set<std::int32_t> Marked() const {
    std::set<std::int32_t> marked;
    for (const auto& [id, appointment] : host_.data->All())
      if (appointment->state == AppointmentState::MarkedForArchival)
        marked.insert(id);
    return marked;
  }
  HWND Open() { return DialogFixture::Open<CArchiveDlg>(L"Archive"); }

  std::int32_t oldSmall_ = 0, oldLarge_ = 0;
};

TEST_F(ArchiveDialogTest, OpensWithTheStatisticsTheSizeLimitAndTheSpanStart) {
  HWND dialog = Open();
  // 16 bytes each, plus text and note with their terminators.
  EXPECT_EQ(Text(GetDlgItem(dialog, IDC_ARC_INFORMATION)), L"3 appointments taking up 1570 bytes.");
  EXPECT_EQ(Text(GetDlgItem(dialog, IDC_ARC_MIN_SIZE)), L"1000");
  EXPECT_FALSE(Checked(dialog, IDC_ARC_ONLY_LARGER));
  SYSTEMTIME picked{};
  SendMessageW(GetDlgItem(dialog, IDC_ARC_CUTOFF), DTM_GETSYSTEMTIME, 0,
               reinterpret_cast<LPARAM>(&picked));
  const LocalFields expected = SplitLocal(options_.GetSpanStart());
  EXPECT_EQ(picked.wYear, expected.year);
  EXPECT_EQ(picked.wMonth, expected.month);
  EXPECT_EQ(picked.wDay, expected.day);
  Escape();
  EXPECT_TRUE(Marked().empty()) << "Cancel marks nothing";
  EXPECT_EQ(options_.minsize, 1000);
}

TEST_F(ArchiveDialogTest, ASizeOutsideTheRangeIsRefused) {
  HWND dialog = Open();
  SetText(dialog, IDC_ARC_MIN_SIZE, L"50");
  PostKey(thread_->FocusWindow(), VK_RETURN);
  EXPECT_EQ(AnswerMessageBox(dialog), L"Please enter an integer between 100 and 9999.");
  thread_->Flush();
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(thread_->Focus(), GetDlgItem(dialog, IDC_ARC_MIN_SIZE));
  Escape();
  EXPECT_TRUE(Marked().empty());
  EXPECT_EQ(options_.minsize, 1000);
}

TEST_F(ArchiveDialogTest, ArchiveMarksOldAppointmentsAndReportsHowMany) {
  const struct {
    const char* what;
    const wchar_t* size;
    bool onlyLarger;
    bool both;  // both old ones, else only the large one
    const wchar_t* message;
    int minsize;
  } cases[] = {
      {"check set: old and large only", L"500", true, false,
       L"Marked 1 appointment for archival.\nThe appointment will be archived at next HotSync.",
       500},
      {"check clear: every old one", L"2000", false, true,
       L"Marked 2 appointments for archival.\nThe appointments will be archived at next HotSync.",
       2000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& [id, appointment] : host_.data->All())
      appointment->state = AppointmentState::Active;
    options_.minsize = 1000;
    HWND dialog = Open();
    SetText(dialog, IDC_ARC_MIN_SIZE, c.size);
    if (c.onlyLarger)
      Click(dialog, IDC_ARC_ONLY_LARGER);
    thread_->Flush();
    Click(dialog, IDOK);
    EXPECT_EQ(AnswerMessageBox(dialog), c.message);
    EXPECT_EQ(thread_->Result(), IDOK);
    const std::set<std::int32_t> expected =
        c.both ? std::set<std::int32_t>{oldSmall_, oldLarge_} : std::set<std::int32_t>{oldLarge_};
    EXPECT_EQ(Marked(), expected);
    EXPECT_EQ(options_.minsize, c.minsize);
  }
}

}  // namespace
}  // namespace tavir::test_support
