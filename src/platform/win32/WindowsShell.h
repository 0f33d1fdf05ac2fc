// Windows: the shell of the add-in. Message boxes are owned by the active
// window (which the system disables while the box is open) and carry the
// program's caption; the pump feeds the running modal loop's filter.
#pragma once

#include <string>

#include "platform/Shell.h"
#include "platform/win32/WindowsApi.h"

namespace tavir {

class WindowsShell : public Shell {
 public:
  // caption: the program's name, shown in the title of every message box.
  explicit WindowsShell(std::string caption);

  MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons,
                            MessageIcon icon) override;
  void ShowWaitCursor() override;
  void RestoreCursor() override;
  bool PumpMessages() override;
  std::string LastSystemErrorText() override;

 private:
  std::string caption_;
  int waitCount_ = 0;
  HCURSOR restoreCursor_ = nullptr;
};

// True while a wait cursor is shown: dialogs then keep it on WM_SETCURSOR.
bool WaitCursorShown();

// The progress bar of a dialog (a msctls_progress32 control).
class WindowsProgressControl : public ProgressControl {
 public:
  explicit WindowsProgressControl(HWND bar) : bar_(bar) {}
  void SetRange(int upper) override;
  void SetPosition(int position) override;
  void Show(bool visible) override;

 private:
  HWND bar_;
};

}  // namespace tavir
