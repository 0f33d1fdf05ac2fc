// The language resource file beside the module (Windows): used for a command
// run when its version matches the module's in all but the fourth part.
#pragma once

#include <string>

#include "platform/win32/HandleOwner.h"

namespace tavir::addin {

// The file's path: the module's directory (the path up to its last
// backslash; the whole path when none follows the first character), a
// backslash and the file name.
std::wstring LanguageFilePath(const std::wstring& modulePath);

// Loads the file beside modulePath and answers it when its major, minor and
// build numbers equal the module's; no module when it is missing, does not
// load or differs (a file that differs is unloaded again, so it can be
// replaced while the host runs).
ModuleOwner LoadLanguageFile(const std::wstring& modulePath);

}  // namespace tavir::addin
