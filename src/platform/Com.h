// The COM subset the program uses, under the system's own names: the Windows
// headers on Windows, our portable definitions (posix/ComApi.h) elsewhere.
// Nothing else includes <windows.h> or posix/ComApi.h directly.
#pragma once

#if defined(_WIN32)
#include "platform/win32/WindowsApi.h"
#else
#include "platform/posix/ComApi.h"
#endif

#include <string>

namespace tavir {
// UTF-16 text as COM carries it (wchar_t on Windows, char16_t elsewhere).
using WideString = std::basic_string<OLECHAR>;
}  // namespace tavir
