// Context help in the options dialog: F1 and the right mouse button reach
// Windows Help with the help-id table when the module's .HLP file exists
// (watched through the seam around WinHelp), and show our pop-up otherwise.
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/HelpTexts.h"
#include "ui/win32/ContextHelp.h"
#include "ui/win32/OptionsDialog.h"
#include "ui/win32/ResourceIds.h"
#include "win/support/DialogFixture.h"

namespace tavir::test_support {
namespace {

struct HelpCall {
  int control;
  UINT command;
  std::vector<DWORD> table;
};
std::vector<HelpCall> helpCalls;  // written on the dialog thread
std::atomic<int> helpCallCount{0};

BOOL WINAPI RecordWinHelp(HWND window, LPCWSTR, UINT command, ULONG_PTR data) {
  std::vector<DWORD> table;
  for (const auto* entry = reinterpret_cast<const DWORD*>(data); entry[0] != 0; entry += 2)
    table.insert(table.end(), {entry[0], entry[1]});
  helpCalls.push_back({GetDlgCtrlID(window), command, table});
  ++helpCallCount;
  return TRUE;
}

bool Lists(const std::vector<DWORD>& table, DWORD control) {
  for (size_t i = 0; i + 1 < table.size(); i += 2)
    if (table[i] == control)
      return table[i + 1] == 0x50000 + control;
  return false;
}

enum class Ask { F1, RightButton, MenuHelp };

class OptionsHelpTest : public DialogFixture {
 protected:
  OptionsHelpTest() {
    helpCalls.clear();
    helpCallCount = 0;
    SetWinHelpCall(RecordWinHelp);
  }
  ~OptionsHelpTest() override {
    thread_.reset();  // no late request may reach the real WinHelp
    SetWinHelpCall(nullptr);
    DeleteFileW(HelpFilePath().c_str());
  }
  // Asks for help on a control. `answered` tells when the dialog has acted;
  // without an answer to wait for, a Tab after the request shows that the
  // dialog has read it (input comes in order).
  void Request(Ask ask, int control, const std::function<bool()>& answered) {
    HWND window = GetDlgItem(dialog_, control);
    switch (ask) {
      case Ask::F1:  // the system makes F1 a help request only for real key input
        Focus(dialog_, control);
        PressKeys({VK_F1});
        break;
      case Ask::RightButton:
        PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
        PostMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(4, 4));
        break;
      case Ask::MenuHelp: {
        HELPINFO info{sizeof info, HELPINFO_MENUITEM, control, window, 0, {0, 0}};
        SendMessageW(dialog_, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        break;
      }
    }
    if (answered) {
      EXPECT_TRUE(WaitUntil(answered));
      return;
    }
    thread_->Flush();
    Focus(dialog_, control);
    PressKeys({VK_TAB});
    WaitUntil([&] { return thread_->Focus() != window; });
  }
  HWND Popup() const {
    for (HWND window : ThreadWindows(thread_->Id()))
      if (WindowClass(window) == kHelpPopupClass)
        return window;
    return nullptr;
  }

  HWND dialog_ = nullptr;
};

// The same requests with and without the help file.
TEST_F(OptionsHelpTest, RequestsGoToWindowsHelpWithAHelpFileElseToOurPopup) {
  const struct {
    Ask ask;
    int control;
    UINT command;  // with a help file; 0: no call
    bool popup;    // without one
  } cases[] = {{Ask::F1, IDC_OPT_SEPARATOR, HELP_WM_HELP, true},
               {Ask::RightButton, IDC_OPT_SIMPLE_FIELDS, HELP_CONTEXTMENU, true},
               {Ask::F1, IDC_OPT_DATE_WITH_TIME, HELP_WM_HELP, false},  // a control without text
               {Ask::MenuHelp, IDC_OPT_QUOTE, 0, false}};               // a menu's request
  for (const bool helpFile : {true, false}) {
    SCOPED_TRACE(helpFile ? "with a help file" : "without one");
    if (helpFile) {
      HANDLE file =
          CreateFileW(HelpFilePath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      ASSERT_NE(file, INVALID_HANDLE_VALUE);
      CloseHandle(file);
    } else {
      DeleteFileW(HelpFilePath().c_str());
    }
    dialog_ = Open<COptionsDlg>(L"Options");
    for (const auto& c : cases) {
      SCOPED_TRACE(c.control);
      helpCalls.clear();
      helpCallCount = 0;
      std::function<bool()> answered;
      if (helpFile && c.command != 0)
        answered = [] { return helpCallCount > 0; };
      if (!helpFile && c.popup)
        answered = [this] { return Popup() != nullptr; };
      Request(c.ask, c.control, answered);
      ASSERT_EQ(helpCalls.size(), helpFile && c.command != 0 ? 1u : 0u);
      if (!helpCalls.empty()) {
        EXPECT_EQ(helpCalls[0].control, c.control);
        EXPECT_EQ(helpCalls[0].command, c.command);
        EXPECT_EQ(helpCalls[0].table.size(), 34u) << "17 controls";
        EXPECT_TRUE(Lists(helpCalls[0].table, IDC_OPT_SEPARATOR)) << "1008 has 0x503F0";
        EXPECT_FALSE(Lists(helpCalls[0].table, IDC_OPT_DATE_WITH_TIME)) << "1000 has no entry";
      }
      HWND popup = Popup();
      EXPECT_EQ(popup != nullptr, !helpFile && c.popup);
      if (popup != nullptr) {
        EXPECT_EQ(Text(popup), WideText(ControlHelpText(c.control)));
        PostKey(popup, VK_ESCAPE);
        thread_->Flush();
        EXPECT_FALSE(IsWindow(popup)) << "a key closes the pop-up";
      }
    }
    Escape();
  }
}

}  // namespace
}  // namespace tavir::test_support
