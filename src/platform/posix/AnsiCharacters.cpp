// POSIX: the ANSI code page is UTF-8 or Windows-1252, whose bytes are all
// characters of their own.
#include "platform/AnsiCharacters.h"

#include "platform/CodePage.h"

namespace tavir {

std::size_t AnsiCutLength(std::string_view text, std::size_t maxBytes) {
  if (AnsiCodePageIsUtf8()) return Utf8CutLength(text, maxBytes);
  return text.size() <= maxBytes ? text.size() : maxBytes;
}

}  // namespace tavir
