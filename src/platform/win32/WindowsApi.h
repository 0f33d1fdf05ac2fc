// The one place that includes <windows.h> and the OLE headers, with the
// settings every Windows translation unit must share.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601  // Windows 7: the oldest system the add-in supports
#endif
#ifndef WINVER
#define WINVER _WIN32_WINNT
#endif

#include <ole2.h>
#include <oleauto.h>
#include <windows.h>
