// Windows: what the main dialog needs besides the common controls: the
// common file dialogs and the shell, after the one door to <windows.h>.
#pragma once

// clang-format off
#include "platform/win32/CommonControls.h"
#include <commdlg.h>
#include <shellapi.h>
// clang-format on
