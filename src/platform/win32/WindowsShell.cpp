// Windows: message boxes, the wait cursor, the pump and the progress bar.
#include "platform/win32/WindowsShell.h"

#include <utility>

#include "platform/CodePage.h"
#include "platform/ComError.h"
#include "platform/win32/CommonControls.h"
#include "platform/win32/MessageFilter.h"

namespace tavir {
namespace {

int waitCursorCount = 0;

UINT IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return MB_ICONINFORMATION;
    case MessageIcon::Exclamation:
      return MB_ICONEXCLAMATION;
    case MessageIcon::Stop:
      return MB_ICONSTOP;
    case MessageIcon::Question:
      return MB_ICONQUESTION;
    case MessageIcon::None:
      break;
  }
  return 0;
}

}  // namespace

WindowsShell::WindowsShell(std::string caption) : caption_(std::move(caption)) {}

MessageAnswer WindowsShell::ShowMessage(const std::string& text, MessageButtons buttons,
                                        MessageIcon icon) {
  const UINT style = (buttons == MessageButtons::OkCancel ? MB_OKCANCEL : MB_OK) | IconStyle(icon);
  const int answer =
      MessageBoxW(GetActiveWindow(), AnsiToWide(text).c_str(), AnsiToWide(caption_).c_str(), style);
  return answer == IDOK ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void WindowsShell::ShowWaitCursor() {
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  if (waitCount_++ == 0)
    restoreCursor_ = previous;
  ++waitCursorCount;
}

void WindowsShell::RestoreCursor() {
  if (waitCount_ == 0)
    return;
  --waitCursorCount;
  if (--waitCount_ == 0)
    SetCursor(restoreCursor_ ? restoreCursor_ : LoadCursorW(nullptr, IDC_ARROW));
}

bool WindowsShell::PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The outer loop must see it too.
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    DispatchLoopMessage(message);
  }
  return true;
}

std::string WindowsShell::LastSystemErrorText() {
  return SystemMessageText(static_cast<HRESULT>(GetLastError()));
}

bool WaitCursorShown() {
  return waitCursorCount > 0;
}

void WindowsProgressControl::SetRange(int upper) {
  SendMessageW(bar_, PBM_SETRANGE, 0, MAKELPARAM(0, static_cast<WORD>(upper & 0xFFFF)));
}

void WindowsProgressControl::SetPosition(int position) {
  SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void WindowsProgressControl::Show(bool visible) {
  ShowWindow(bar_, visible ? SW_SHOW : SW_HIDE);
}

}  // namespace tavir
