// Windows: the common controls' declarations (progress bar, date picker,
// up-down control, drag list, subclassing), after the one door to <windows.h>.
#pragma once

// clang-format off
#include "platform/win32/WindowsApi.h"
#include <commctrl.h>
// clang-format on
