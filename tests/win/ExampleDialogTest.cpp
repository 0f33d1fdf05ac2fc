// The file format example, opened from the options dialog with "View
// Example...": it shows the example text of the options in force (the text
// itself: tests/ui/ExampleTextTest), and follows the dialog's size.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "ui/ExampleText.h"
#include "ui/win32/OptionsDialog.h"
#include "ui/win32/ResourceIds.h"
#include "win/support/DialogFixture.h"

namespace tavir::test_support {
namespace {

class ExampleDialogTest : public DialogFixture {
 protected:
  // Opens the options dialog, then the example from it; returns the example.
  HWND OpenExample() {
    options_.fullformat = 0;
    options_.separator = ";";
    options_.quote = "'";
    options_.datewithtime = 1;
    options_dialog_ = Open<COptionsDlg>(L"Options");
    Click(options_dialog_, IDC_OPT_VIEW_EXAMPLE);
    HWND example = thread_->Find(L"File Format Example");
    EXPECT_FALSE(IsWindowEnabled(options_dialog_)) << "the options dialog owns the example";
    return example;
  }
  void CloseBoth() {
    HWND example = thread_->Find(L"File Format Example");
    Click(example, IDOK);
    WaitUntil([&] { return Gone(example); });
    EXPECT_TRUE(IsWindowEnabled(options_dialog_));
    Escape();
  }

  HWND options_dialog_ = nullptr;
};

TEST_F(ExampleDialogTest, ShowsTheExampleOfTheOptionsInForce) {
  HWND example = OpenExample();
  EXPECT_EQ(Text(GetDlgItem(example, IDC_EXAMPLE_TEXT)), WideText(BuildExampleText(options_)));
  CloseBoth();
}

RECT ClientRect(HWND dialog, int id) {
  RECT rect;
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST_F(ExampleDialogTest, EditAndButtonFollowTheDialogsSize) {
  HWND example = OpenExample();
  const RECT edit = ClientRect(example, IDC_EXAMPLE_TEXT);
  const int left = edit.left, top = edit.top;
  for (SIZE size : {SIZE{900, 300}, SIZE{400, 160}}) {
    SetWindowPos(example, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(example, &client);
    const RECT text = ClientRect(example, IDC_EXAMPLE_TEXT);
    const RECT ok = ClientRect(example, IDOK);
    EXPECT_EQ(text.left, left);
    EXPECT_EQ(text.top, top);
    EXPECT_EQ(text.right - text.left, client.right - 3 * left);
    EXPECT_EQ(ok.top - text.bottom, top) << "the edit ends T above the button";
    EXPECT_EQ(client.bottom - ok.bottom, top);
    EXPECT_LE(std::abs((ok.left + ok.right) - client.right), 1) << "the button is centred";
  }
  CloseBoth();
}

}  // namespace
}  // namespace tavir::test_support
