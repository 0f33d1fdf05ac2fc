// The checks the dialogs apply when they take over a value; each failure
// gives the standard message text.
#pragma once

#include <optional>
#include <string>

namespace tavir {

// A whole number from low to high; otherwise the message
// "Please enter an integer between %d and %d.".
std::optional<std::string> CheckIntegerRange(const std::string& text, int low, int high,
                                             int& value);
// The exception date separator: at most one character.
std::optional<std::string> CheckExceptionSeparator(const std::string& text);

inline constexpr int kMinAppointmentLength = 1, kMaxAppointmentLength = 999;
inline constexpr int kMinArchiveSize = 100, kMaxArchiveSize = 9999;

}  // namespace tavir
