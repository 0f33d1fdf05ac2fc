// Windows: the system headers of the user interface (common controls and
// their messages), included after the one door to <windows.h>.
#pragma once

// clang-format off
#include "platform/win32/WindowsApi.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
// clang-format on
