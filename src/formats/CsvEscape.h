// The text of a CSV field between its quotes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavir {

inline constexpr std::size_t kMaxEscapedField = 39999;

// Appends the escaped text to out: the quote byte (quoteByte, -1 for none)
// doubled, a line feed kept or, with removeLineBreaks, made a blank, a
// carriage return dropped. A text whose escaped form would exceed
// kMaxEscapedField bytes is cut before the first character that would not fit.
void AppendEscapedField(std::string& out, std::string_view text, int quoteByte,
                        bool removeLineBreaks);

}  // namespace tavir
