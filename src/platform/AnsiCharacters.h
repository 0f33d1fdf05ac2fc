// Where a character of an ANSI text ends, so that long texts are cut between
// characters. Windows: the ANSI code page (single-byte, double-byte or
// UTF-8). Portable: UTF-8 or Windows-1252, as the code page port decides.
#pragma once

#include <cstddef>
#include <string_view>

namespace tavir {

// The largest length <= maxBytes at which text can be cut without splitting
// a character; text.size() when it is not longer than maxBytes.
std::size_t AnsiCutLength(std::string_view text, std::size_t maxBytes);

// The UTF-8 rule: backs off over an unfinished multi-byte sequence.
std::size_t Utf8CutLength(std::string_view text, std::size_t maxBytes);

}  // namespace tavir
