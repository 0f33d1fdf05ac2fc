// Windows: the program's help. The Windows Help file beside the module (its
// path with the extension .HLP) opens at its contents through WinHelp; when
// there is none, as on systems without WinHelp, the HTML page made from the
// same source (the module's path with the extension .htm) opens in the shell.
#pragma once

#include <string>

#include "ui/win32/UiApi.h"

namespace tavir {

// The calls that leave the program, so that tests can watch them.
class HelpSystem {
 public:
  virtual ~HelpSystem() = default;
  virtual bool FileExists(const std::wstring& path) = 0;
  virtual void ShowHelpContents(HWND owner, const std::wstring& helpFile) = 0;
  virtual void OpenPage(HWND owner, const std::wstring& page) = 0;
};

class SystemHelp : public HelpSystem {
 public:
  bool FileExists(const std::wstring& path) override;
  // WinHelp with HELP_FINDER.
  void ShowHelpContents(HWND owner, const std::wstring& helpFile) override;
  // The shell's "open".
  void OpenPage(HWND owner, const std::wstring& page) override;
};

// The module's path with its extension (the text after the last dot of the
// file name) replaced, or added when it has none.
std::wstring WithExtension(const std::wstring& modulePath, const std::wstring& extension);

void OpenProgramHelp(HWND owner, const std::wstring& modulePath, HelpSystem& system);

}  // namespace tavir
