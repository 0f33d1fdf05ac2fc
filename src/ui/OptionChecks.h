// The checks the dialogs apply when they take over a value; each failure
// gives the standard message text.
#pragma once

#include <optional>
#include <string>

#include "model/OptionTable.h"

namespace tavir {

// A whole number from low to high. Otherwise the message: "Please enter an
// integer." for text that is no whole number (the empty text included),
// "Please enter an integer between %d and %d." for one out of range.
std::optional<std::string> CheckIntegerRange(const std::string& text, int low, int high,
                                             int& value);
// The exception date separator: at most one character.
std::optional<std::string> CheckExceptionSeparator(const std::string& text);

}  // namespace tavir
