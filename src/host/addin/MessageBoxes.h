// The add-in's own message boxes (Windows), outside a command run: texts in
// the ANSI code page, caption "TAVIRAddIn".
#pragma once

#include <string>

#include "platform/win32/WindowsApi.h"

namespace tavir::addin {

// An OK box with the given icon flags (MB_ICON...), owned by owner.
void ShowAddinMessage(HWND owner, const std::string& text, UINT icon);

}  // namespace tavir::addin
