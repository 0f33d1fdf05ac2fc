// The options dialog's context help texts, one per control, made from the
// help source (resources/help/options.txt). In the string table each text
// has the id kHelpStringBase + control id.
#pragma once

#include <string>

namespace tavir {

inline constexpr int kHelpStringBase = 33000;

// The pop-up text of a control; empty when the control has none.
std::string ControlHelpText(int controlId);

}  // namespace tavir
