// Windows: context help for the controls of a dialog. With the module's .HLP
// file beside it, requests go to Windows Help with the dialog's table of help
// context numbers; without one (Windows Vista and later have no Windows Help,
// and we ship no .HLP) the control's help text shows in a pop-up of our own.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/CommonControls.h"

namespace tavir {

// The help file: the module's own path with the extension HLP.
std::wstring HelpFilePath();

// The call that reaches Windows Help; a test replaces it to watch the
// requests (nullptr puts WinHelpW back).
using WinHelpCall = BOOL(WINAPI*)(HWND window, LPCWSTR file, UINT command, ULONG_PTR data);
void SetWinHelpCall(WinHelpCall call);

// The window class of the pop-up that shows a help text.
inline constexpr wchar_t kHelpPopupClass[] = L"TavirHelpPopup";

class ContextHelp {
 public:
  // Each control gets the context number contextBase + its id.
  ContextHelp(const std::vector<int>& controls, DWORD contextBase);

  // WM_HELP: only requests from a control of the table's dialog count.
  void OnHelp(HWND dialog, const HELPINFO& info) const;
  // WM_CONTEXTMENU: `window` is the control under the mouse, or the dialog.
  void OnContextMenu(HWND dialog, HWND window, POINT screen) const;

 private:
  bool Listed(int controlId) const;
  void ShowPopup(HWND control, POINT screen) const;

  std::vector<DWORD> table_;  // pairs of control id and context number, then 0, 0
};

}  // namespace tavir
