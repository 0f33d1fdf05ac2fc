// Windows: the Open and Save file dialogs of Import and Export, with the
// file-type lists, the preselected entry, the last file's name, and (for
// Export) the custom filter that keeps the last chosen pattern for the life
// of the process.
#pragma once

#include <optional>
#include <string>

#include "ui/win32/UiApi.h"

namespace tavir {

// GetOpenFileName and GetSaveFileName, so that tests can read what the
// dialog was given and answer in its place.
class FileDialogSystem {
 public:
  virtual ~FileDialogSystem() = default;
  virtual bool ShowOpen(OPENFILENAMEW& dialog) = 0;
  virtual bool ShowSave(OPENFILENAMEW& dialog) = 0;
};

class SystemFileDialogs : public FileDialogSystem {
 public:
  bool ShowOpen(OPENFILENAMEW& dialog) override;
  bool ShowSave(OPENFILENAMEW& dialog) override;
};

// The custom filter buffer's size in characters.
inline constexpr DWORD kCustomFilterLength = 1000;

// The file to import, or nullopt when the user cancelled.
std::optional<std::string> ChooseImportFile(HWND owner, const std::string& fileTypes,
                                            const std::string& lastFile, FileDialogSystem& system);
// The file to export to, a name typed without an extension completed from
// the chosen file type; nullopt when the user cancelled.
std::optional<std::string> ChooseExportFile(HWND owner, const std::string& fileTypes,
                                            const std::string& lastFile, FileDialogSystem& system);

}  // namespace tavir
