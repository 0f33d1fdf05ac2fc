// Windows: the system headers of the user interface (common controls and
// their messages), included after the one door to <windows.h>.
#pragma once

#include <commctrl.h>

#include "platform/win32/WindowsApi.h"
