// Removing leading and trailing white space from an ANSI text, as the
// duplicate test, the field readers and the typed reads do.
#pragma once

#include <string>
#include <string_view>

namespace tavir {

// White space: blank, tab, line feed, vertical tab, form feed, carriage return.
inline bool IsWhiteSpaceByte(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The trimmed part of text, without a copy.
inline std::string_view TrimmedView(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsWhiteSpaceByte(text[begin])) ++begin;
  while (end > begin && IsWhiteSpaceByte(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

inline std::string TrimWhiteSpace(std::string_view text) { return std::string(TrimmedView(text)); }

}  // namespace tavir
