// Windows: the help file or, without one, the help page.
#include "ui/win32/ProgramHelp.h"

namespace tavir {

bool SystemHelp::FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void SystemHelp::ShowHelpContents(HWND owner, const std::wstring& helpFile) {
  WinHelpW(owner, helpFile.c_str(), HELP_FINDER, 0);
}

void SystemHelp::OpenPage(HWND owner, const std::wstring& page) {
  ShellExecuteW(owner, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::wstring WithExtension(const std::wstring& modulePath, const std::wstring& extension) {
  const std::size_t nameStart = modulePath.find_last_of(L"\\/");
  const std::size_t dot = modulePath.rfind(L'.');
  if (dot == std::wstring::npos || (nameStart != std::wstring::npos && dot < nameStart))
    return modulePath + extension;
  return modulePath.substr(0, dot) + extension;
}

void OpenProgramHelp(HWND owner, const std::wstring& modulePath, HelpSystem& system) {
  const std::wstring helpFile = WithExtension(modulePath, L".HLP");
  if (system.FileExists(helpFile)) {
    system.ShowHelpContents(owner, helpFile);
  } else {
    system.OpenPage(owner, WithExtension(modulePath, L".htm"));
  }
}

}  // namespace tavir
