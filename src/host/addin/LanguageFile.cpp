// The language resource file and its version rule (Windows).
#include "host/addin/LanguageFile.h"

#include <optional>
#include <vector>

#include "host/addin/AddinIds.h"
#include "platform/CodePage.h"

namespace tavir::addin {
namespace {

// The fixed file version: major and minor in the high word, build and
// revision in the low one.
std::optional<VS_FIXEDFILEINFO> FileVersion(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0)
    return std::nullopt;
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
    return std::nullopt;
  void* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\", &fixed, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  return *static_cast<const VS_FIXEDFILEINFO*>(fixed);
}

}  // namespace

std::wstring LanguageFilePath(const std::wstring& modulePath) {
  const std::size_t slash = modulePath.rfind(L'\\');
  const std::wstring directory =
      slash == std::wstring::npos || slash == 0 ? modulePath : modulePath.substr(0, slash);
  return directory + L"\\" + AnsiToWide(kLanguageFileName);
}

HMODULE LoadLanguageFile(const std::wstring& modulePath) {
  const std::wstring path = LanguageFilePath(modulePath);
  const HMODULE language = LoadLibraryW(path.c_str());
  if (!language)
    return nullptr;
  const auto own = FileVersion(modulePath);
  const auto theirs = FileVersion(path);
  if (!own || !theirs || own->dwFileVersionMS != theirs->dwFileVersionMS ||
      HIWORD(own->dwFileVersionLS) != HIWORD(theirs->dwFileVersionLS)) {
    return nullptr;
  }
  return language;
}

}  // namespace tavir::addin
