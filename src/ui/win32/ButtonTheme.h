// Windows: the visual theme's push-button background, through uxtheme.dll
// looked up at run time (the system may lack it, or have themes off).
#pragma once

#include "platform/win32/CommonControls.h"

namespace tavir {

// Push-button states as the theme numbers them.
enum class ThemedButtonState { Normal = 1, Hot = 2, Pressed = 3, Disabled = 4, Defaulted = 5 };

// Draws the themed push-button background into rect; false (nothing drawn)
// when the theme library is missing or themes are not active.
bool DrawThemedButton(HWND button, HDC dc, const RECT& rect, ThemedButtonState state);

}  // namespace tavir
