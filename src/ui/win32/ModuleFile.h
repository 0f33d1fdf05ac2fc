// Windows: what the about box and the help need of a module's own file: its
// path and the fixed file version of its version resource.
#pragma once

#include <optional>
#include <string>

#include "platform/win32/WindowsApi.h"

namespace tavir {

struct FileVersion {
  int major = 0, minor = 0, build = 0, revision = 0;
};

// The full path of the module's file; empty when the system cannot tell.
std::wstring ModuleFilePath(HMODULE module);
// The fixed file version of a file's version resource; nullopt when it has none.
std::optional<FileVersion> FileVersionOf(const std::wstring& path);
// The same for the module's own file.
std::optional<FileVersion> ModuleFileVersion(HMODULE module);

}  // namespace tavir
