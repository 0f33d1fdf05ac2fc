// Windows: running the file dialogs for Import and Export.
#include "ui/win32/FileDialogs.h"

#include <algorithm>
#include <vector>

#include "platform/CodePage.h"
#include "ui/FileTypes.h"

namespace tavir {
namespace {

constexpr DWORD kFileNameLength = 4096;

// The user-defined filter: "description\0pattern\0". The dialog reads it on
// every run and Windows writes the chosen pattern back; it lives as long as
// the process. Wine shows an empty buffer as an empty entry (or reads past
// it), so it is filled with a real entry before its first use.
wchar_t customFilter[kCustomFilterLength];

void StoreCustomFilter(const std::string& description, const std::string& pattern) {
  const WideString text = AnsiToWide(description) + L'\0' + AnsiToWide(pattern) + L'\0';
  if (text.size() + 1 > kCustomFilterLength)
    return;
  std::fill(std::begin(customFilter), std::end(customFilter), L'\0');
  std::copy(text.begin(), text.end(), customFilter);
}

std::string CustomFilterPattern() {
  const std::size_t descriptionEnd = wcsnlen(customFilter, kCustomFilterLength);
  if (descriptionEnd + 1 >= kCustomFilterLength)
    return {};
  const wchar_t* pattern = customFilter + descriptionEnd + 1;
  return WideToAnsi(
      WideString(pattern, wcsnlen(pattern, kCustomFilterLength - descriptionEnd - 1)));
}

struct DialogText {
  WideString filter;
  std::vector<wchar_t> file;
};

void Prepare(OPENFILENAMEW& dialog, DialogText& text, HWND owner, const std::string& fileTypes,
             const std::string& lastFile) {
  text.filter = AnsiToWide(NulSeparated(fileTypes));
  text.file.assign(kFileNameLength, L'\0');
  const WideString initial = AnsiToWide(lastFile);
  std::copy_n(initial.begin(), std::min<std::size_t>(initial.size(), kFileNameLength - 1),
              text.file.begin());
  dialog = OPENFILENAMEW{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = text.filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(PreselectFileType(lastFile, fileTypes));
  dialog.lpstrFile = text.file.data();
  dialog.nMaxFile = kFileNameLength;
}

std::string ChosenPath(const DialogText& text) {
  return WideToAnsi(text.file.data());
}

}  // namespace

bool SystemFileDialogs::ShowOpen(OPENFILENAMEW& dialog) {
  return GetOpenFileNameW(&dialog);
}

bool SystemFileDialogs::ShowSave(OPENFILENAMEW& dialog) {
  return GetSaveFileNameW(&dialog);
}

std::optional<std::string> ChooseImportFile(HWND owner, const std::string& fileTypes,
                                            const std::string& lastFile, FileDialogSystem& system) {
  OPENFILENAMEW dialog;
  DialogText text;
  Prepare(dialog, text, owner, fileTypes, lastFile);
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;
  if (!system.ShowOpen(dialog))
    return std::nullopt;
  return ChosenPath(text);
}

std::optional<std::string> ChooseExportFile(HWND owner, const std::string& fileTypes,
                                            const std::string& lastFile, FileDialogSystem& system) {
  OPENFILENAMEW dialog;
  DialogText text;
  Prepare(dialog, text, owner, fileTypes, lastFile);
  if (customFilter[0] == L'\0') {
    const int entry = static_cast<int>(dialog.nFilterIndex);
    StoreCustomFilter(FileTypeDescription(fileTypes, entry), FileTypePattern(fileTypes, entry));
  }
  dialog.lpstrCustomFilter = customFilter;
  dialog.nMaxCustFilter = kCustomFilterLength;
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  if (!system.ShowSave(dialog))
    return std::nullopt;
  // Entry 0 is the custom filter; Wine does not always write the chosen
  // pattern back into it, so it is kept here for both systems.
  const int entry = static_cast<int>(dialog.nFilterIndex);
  std::string pattern = CustomFilterPattern();
  if (entry > 0) {
    pattern = FileTypePattern(fileTypes, entry);
    StoreCustomFilter(FileTypeDescription(fileTypes, entry), pattern);
  }
  return CompleteExportPath(ChosenPath(text), pattern);
}

}  // namespace tavir
