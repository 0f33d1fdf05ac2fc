// Windows: the pop-up that shows a control's help text (from the string table,
// id kHelpStringBase + control id) when no Windows Help file is there. It goes
// at the first click or key press, or when it loses the activation.
#pragma once

#include "platform/win32/CommonControls.h"

namespace tavir {

// Shows the control's help text near the screen point; nothing when the
// control has no text. The window text of the pop-up is the help text.
void ShowHelpPopup(HWND dialog, int controlId, POINT screen);

}  // namespace tavir
