// Windows: context help through Windows Help or our pop-up.
#include "ui/win32/ContextHelp.h"

#include "platform/win32/ResourceModule.h"
#include "ui/win32/HelpPopup.h"

namespace tavir {
namespace {

WinHelpCall winHelp = nullptr;

BOOL CallWinHelp(HWND window, const std::wstring& file, UINT command, ULONG_PTR data) {
  return winHelp != nullptr ? winHelp(window, file.c_str(), command, data)
                            : WinHelpW(window, file.c_str(), command, data);
}

bool HelpFileExists() {
  return GetFileAttributesW(HelpFilePath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

std::wstring HelpFilePath() {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD length =
      GetModuleFileNameW(OwnModule(), path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  const size_t dot = path.find_last_of(L'.');
  const size_t slash = path.find_last_of(L"\\/");
  if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash))
    path.resize(dot);
  return path + L".HLP";
}

void SetWinHelpCall(WinHelpCall call) {
  winHelp = call;
}

ContextHelp::ContextHelp(const std::vector<int>& controls, DWORD contextBase) {
  for (int id : controls) {
    table_.push_back(static_cast<DWORD>(id));
    table_.push_back(contextBase + static_cast<DWORD>(id));
  }
  table_.push_back(0);
  table_.push_back(0);
}

bool ContextHelp::Listed(int controlId) const {
  for (size_t i = 0; i + 1 < table_.size(); i += 2)
    if (table_[i] == static_cast<DWORD>(controlId))
      return true;
  return false;
}

void ContextHelp::OnHelp(HWND dialog, const HELPINFO& info) const {
  if (info.iContextType != HELPINFO_WINDOW)
    return;
  HWND control = static_cast<HWND>(info.hItemHandle);
  if (control == dialog || GetParent(control) != dialog)
    return;
  if (HelpFileExists()) {
    CallWinHelp(control, HelpFilePath(), HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(table_.data()));
    return;
  }
  if (Listed(info.iCtrlId)) {
    RECT rect;
    GetWindowRect(control, &rect);
    ShowPopup(control, {rect.left + (rect.right - rect.left) / 2, rect.bottom});
  }
}

void ContextHelp::OnContextMenu(HWND dialog, HWND window, POINT screen) const {
  if (window == dialog) {
    // Static texts and disabled controls leave the message to the dialog.
    POINT client = screen;
    ScreenToClient(dialog, &client);
    window = ChildWindowFromPointEx(dialog, client, CWP_SKIPINVISIBLE);
  }
  if (window == nullptr || window == dialog || GetParent(window) != dialog)
    return;
  if (HelpFileExists()) {
    CallWinHelp(window, HelpFilePath(), HELP_CONTEXTMENU,
                reinterpret_cast<ULONG_PTR>(table_.data()));
    return;
  }
  if (Listed(GetDlgCtrlID(window)))
    ShowPopup(window, screen);
}

void ContextHelp::ShowPopup(HWND control, POINT screen) const {
  ShowHelpPopup(GetParent(control), GetDlgCtrlID(control), screen);
}

}  // namespace tavir
