// The language resource file and its version rule (Windows).
#include "host/addin/LanguageFile.h"

#include "host/addin/AddinIds.h"
#include "platform/CodePage.h"
#include "ui/win32/ModuleFile.h"

namespace tavir::addin {
std::wstring LanguageFilePath(const std::wstring& modulePath) {
  const std::size_t slash = modulePath.rfind(L'\\');
  const std::wstring directory =
      slash == std::wstring::npos || slash == 0 ? modulePath : modulePath.substr(0, slash);
  return directory + L"\\" + AnsiToWide(kLanguageFileName);
}

ModuleOwner LoadLanguageFile(const std::wstring& modulePath) {
  const std::wstring path = LanguageFilePath(modulePath);
  ModuleOwner language(LoadLibraryW(path.c_str()));
  if (!language.IsValid())
    return {};
  // The revision, the fourth part, is not compared.
  const auto own = FileVersionOf(modulePath);
  const auto theirs = FileVersionOf(path);
  if (!own || !theirs || own->major != theirs->major || own->minor != theirs->minor ||
      own->build != theirs->build) {
    return {};
  }
  return language;
}

}  // namespace tavir::addin
