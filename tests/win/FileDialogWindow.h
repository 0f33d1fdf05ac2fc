// The real Open and Save dialogs as a person sees them: the file type list,
// the name box, the OK button.
#pragma once

#include <string>
#include <vector>

#include "ui/win32/ResourceIds.h"
#include "win/DialogDriver.h"

namespace tavir::test_support {

class FileDialogWindow {
 public:
  explicit FileDialogWindow(HWND window) : window_(window) {}

  HWND Window() const { return window_; }
  std::string Selected() const {
    return Entry(static_cast<int>(SendMessageW(Types(), CB_GETCURSEL, 0, 0)));
  }
  bool Lists(const std::string& start) const {
    const int count = static_cast<int>(SendMessageW(Types(), CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
      if (Entry(i).rfind(start, 0) == 0)
        return true;
    return false;
  }
  void Choose(const std::string& entry) const {
    const WideString wide = AnsiToWide(entry);
    const LRESULT index = SendMessageW(Types(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(wide.c_str()));
    SendMessageW(Types(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // A choice made with the mouse or the keys ends with both notifications.
    DialogDriver::Notify(window_, kTypeList, CBN_SELCHANGE);
    DialogDriver::Notify(window_, kTypeList, CBN_SELENDOK);
  }
  void Type(const std::string& name) const {
    HWND box = GetDlgItem(window_, kNameCombo);
    if (box == nullptr)
      box = GetDlgItem(window_, kNameEdit);
    const WideString wide = AnsiToWide(name);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  void Accept() const { DialogDriver::Post(window_, IDOK); }
  // The type (unless none), the name, OK.
  void Submit(const std::string& name, const char* entry = nullptr) const {
    if (entry)
      Choose(entry);
    Type(name);
    Accept();
  }

 private:
  // The common dialogs' control ids (dlgs.h: cmb1, cmb13, edt1).
  static constexpr int kTypeList = 0x470, kNameCombo = 0x47c, kNameEdit = 0x480;

  HWND Types() const { return GetDlgItem(window_, kTypeList); }
  std::string Entry(int index) const {
    wchar_t text[512] = {};
    if (SendMessageW(Types(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) >= 512)
      return {};
    SendMessageW(Types(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return WideToAnsi(text, wcslen(text));
  }

  HWND window_;
};

// Export or Import from the main dialog: the command opens the file dialog,
// work fills it in; then waits until done holds and the progress bar is gone.
inline void OperateThroughFileDialog(DialogDriver& driver, HWND main, int command,
                                     const std::function<void(const FileDialogWindow&)>& work,
                                     const std::function<bool()>& done) {
  DialogDriver::Post(main, command);
  const FileDialogWindow dialog(driver.WaitForOwned(main, "the file dialog"));
  EXPECT_FALSE(IsWindowEnabled(main)) << "the file dialog is modal";
  work(dialog);
  driver.WaitGone(dialog.Window());
  driver.WaitUntil(done, "the operation's effect");
  driver.WaitUntil([&] { return !IsWindowVisible(GetDlgItem(main, IDC_MAIN_PROGRESS)); },
                   "the operation's end");
}

}  // namespace tavir::test_support
