// The options dialog driven as a person would: the format buttons' enabling
// rule, the add-field menu, deleting fields, the checks on OK, Restore
// Default with Cancel, and a real drag that reorders the next CSV export.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/ExportDriver.h"
#include "support/ScratchDirectory.h"
#include "ui/win32/OptionsDialog.h"
#include "ui/win32/ResourceIds.h"
#include "win/support/DialogFixture.h"

namespace tavir::test_support {
namespace {

using Fields = std::vector<FieldId>;

class OptionsDialogTest : public DialogFixture {
 protected:
  HWND Open() { return DialogFixture::Open<COptionsDlg>(L"Options"); }
  HWND List(int id) const { return GetDlgItem(dialog_, id); }
  int Count(int id) const { return static_cast<int>(SendMessageW(List(id), LB_GETCOUNT, 0, 0)); }
  int Selection(int id) const {
    return static_cast<int>(SendMessageW(List(id), LB_GETCURSEL, 0, 0));
  }
  std::wstring Item(int id, int index) const {
    wchar_t text[64] = {};
    SendMessageW(List(id), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
  }

  HWND dialog_ = nullptr;
};

TEST_F(OptionsDialogTest, FormatButtonsEnableTheDatePickersOrTheRepeatList) {
  options_.fullformat = 1;
  dialog_ = Open();
  EXPECT_TRUE(Checked(dialog_, IDC_OPT_FULL_FORMAT));
  EXPECT_FALSE(Checked(dialog_, IDC_OPT_SIMPLE_FORMAT));
  const struct {
    int click;  // 0: as opened
    bool simple;
  } steps[] = {{0, false}, {IDC_OPT_SIMPLE_FORMAT, true}, {IDC_OPT_FULL_FORMAT, false}};
  for (const auto& step : steps) {
    if (step.click != 0)
      Click(dialog_, step.click);
    thread_->Flush();
    SCOPED_TRACE(step.click);
    EXPECT_EQ(Enabled(dialog_, IDC_OPT_SPAN_FROM), step.simple);
    EXPECT_EQ(Enabled(dialog_, IDC_OPT_SPAN_TO), step.simple);
    EXPECT_EQ(Enabled(dialog_, IDC_OPT_REPEAT_FIELDS), !step.simple);
  }
  Escape();
  EXPECT_EQ(options_.fullformat, 1) << "Cancel keeps the format";
}

TEST_F(OptionsDialogTest, AddFieldMenuWithEverySimpleFieldOffersOnlyIgnored) {
  options_.mapping.simpleFields = {14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
  dialog_ = Open();
  Click(dialog_, IDC_OPT_ADD_FIELD);
  HWND menuWindow = thread_->Find(L"", L"#32768");
  ASSERT_NE(menuWindow, nullptr);
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
  ASSERT_EQ(GetMenuItemCount(menu), 1);
  wchar_t text[32] = {};
  GetMenuStringW(menu, 0, text, 32, MF_BYPOSITION);
  EXPECT_STREQ(text, L"(Ignored)");
  PostKey(menuWindow, VK_DOWN);
  PostKey(menuWindow, VK_RETURN);
  // The field is added once the menu has returned its command.
  EXPECT_TRUE(WaitUntil([&] { return Count(IDC_OPT_SIMPLE_FIELDS) == 16; }));
  EXPECT_EQ(Item(IDC_OPT_SIMPLE_FIELDS, 15), L"(Ignored)");
  Escape();
  EXPECT_EQ(options_.mapping.simpleFields.back(), field::Ignored)
      << "adding changes the mapping at once";
}

TEST_F(OptionsDialogTest, DeletingTheLastAMiddleAndTheOnlyItemButNoRepeatField) {
  const Fields defaults = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const struct {
    const char* what;
    int list;
    Fields fields;
    int select;
    bool byKey;  // the Delete key, else button 303
    int count;
    int selected;
  } cases[] = {{"last", IDC_OPT_SIMPLE_FIELDS, defaults, 12, false, 12, 11},
               {"middle", IDC_OPT_SIMPLE_FIELDS, defaults, 5, true, 12, 5},
               {"only", IDC_OPT_SIMPLE_FIELDS, {5}, 0, false, 0, -1},
               {"repeat list", IDC_OPT_REPEAT_FIELDS, defaults, 0, true, 12, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const bool repeat = c.list == IDC_OPT_REPEAT_FIELDS;
    options_.fullformat = repeat ? 1 : 0;
    options_.mapping.simpleFields = c.fields;
    dialog_ = Open();
    // A selection in the other list too: the key must not reach it.
    SendMessageW(List(IDC_OPT_SIMPLE_FIELDS), LB_SETCURSEL, 0, 0);
    SendMessageW(List(c.list), LB_SETCURSEL, static_cast<WPARAM>(c.select), 0);
    if (c.byKey) {
      Focus(dialog_, c.list);
      PostKey(List(c.list), VK_DELETE);
    } else {
      Click(dialog_, IDC_OPT_DELETE_FIELD);
    }
    thread_->Flush();
    EXPECT_EQ(Count(c.list), c.count);
    EXPECT_EQ(Selection(c.list), c.selected);
    Escape();
    EXPECT_EQ(options_.mapping.simpleFields.size(),
              repeat ? c.fields.size() : static_cast<size_t>(c.count));
    EXPECT_EQ(options_.mapping.repeatFields.size(), 12u);
  }
}

TEST_F(OptionsDialogTest, OkRefusesAnAppointmentLengthOutsideOneTo999) {
  const struct {
    const wchar_t* typed;
    const wchar_t* message;
  } cases[] = {{L"0", L"Please enter an integer between 1 and 999."},
               {L"1000", L"Please enter an integer between 1 and 999."},
               {L"ten", L"Please enter an integer."},
               {L"", L"Please enter an integer."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    const std::string separator = options_.separator;
    dialog_ = Open();
    SetText(dialog_, IDC_OPT_SEPARATOR, L"|");
    SetText(dialog_, IDC_OPT_APPOINTMENT_LENGTH, c.typed);
    PostKey(thread_->FocusWindow(), VK_RETURN);
    EXPECT_EQ(AnswerMessageBox(dialog_), c.message);
    thread_->Flush();
    EXPECT_TRUE(IsWindowVisible(dialog_)) << "the dialog stays open";
    EXPECT_EQ(thread_->Focus(), List(IDC_OPT_APPOINTMENT_LENGTH));
    Escape();
    EXPECT_EQ(options_.defaultapptlength, 60);
    EXPECT_EQ(options_.separator, separator);
  }
}

TEST_F(OptionsDialogTest, RestoreDefaultThenCancelKeepsTheDefaults) {
  options_.mapping.simpleFields = {5, 6};
  options_.mapping.repeatFields = {20};
  dialog_ = Open();
  Click(dialog_, IDC_OPT_RESTORE_DEFAULT);
  thread_->Flush();
  EXPECT_EQ(Count(IDC_OPT_SIMPLE_FIELDS), 13);
  Escape();
  EXPECT_EQ(options_.mapping.simpleFields, (Fields{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(options_.mapping.repeatFields.size(), 12u);
}

POINT ItemCentre(HWND list, int index) {
  RECT rect{};
  SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ClientToScreen(list, &point);
  return point;
}

// The drag list reads the cursor position from the system, so the drag needs
// real input: the cursor moves and the button goes down and up.
TEST_F(OptionsDialogTest, DraggingTheFourthSimpleFieldToTheTopOrdersTheNextExport) {
  options_.fullformat = 0;
  options_.separator = ",";
  dialog_ = Open();
  HWND list = List(IDC_OPT_SIMPLE_FIELDS);
  const POINT from = ItemCentre(list, 3);
  const POINT to = ItemCentre(list, 0);
  SetCursorPos(from.x, from.y);
  SendMouse(0);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  // The list selects the item under the button before the drag begins.
  ASSERT_TRUE(WaitUntil([&] { return Selection(IDC_OPT_SIMPLE_FIELDS) == 3; }));
  for (int step = 1; step <= 4; ++step) {
    SetCursorPos(from.x, from.y - step * (from.y - to.y) / 4);
    SendMouse(0);
  }
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil([&] { return Item(IDC_OPT_SIMPLE_FIELDS, 0) == L"End Time"; }))
      << "the drag moved nothing; first item: "
      << std::string(Item(IDC_OPT_SIMPLE_FIELDS, 0).begin(), Item(IDC_OPT_SIMPLE_FIELDS, 0).end());
  EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 0, 0), 3) << "the item keeps its field number";
  PostKey(thread_->FocusWindow(), VK_RETURN);
  EXPECT_EQ(thread_->Result(), IDOK);

  const ScratchDirectory folder("tavir-options-drag");
  ExportSimple(folder.PathOf("dates.csv"), options_.GetSpanStart(), options_.GetSpanEnd(), options_,
               nullptr);
  const std::string header = ReadFileBytes(folder.PathOf("dates.csv"));
  EXPECT_EQ(header.rfind("\"End Time\",\"Date\",\"Untimed\",\"Start Time\",\"Private\",", 0), 0u)
      << header;
}

}  // namespace
}  // namespace tavir::test_support
