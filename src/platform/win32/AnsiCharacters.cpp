// Windows: character boundaries of the ANSI code page (CP_ACP), which may be
// a double-byte code page or UTF-8.
#include "platform/AnsiCharacters.h"

#include "platform/win32/WindowsApi.h"

namespace tavir {

std::size_t AnsiCutLength(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text.size();
  const UINT codePage = GetACP();
  if (codePage == CP_UTF8) return Utf8CutLength(text, maxBytes);
  CPINFO info{};
  if (!GetCPInfo(codePage, &info) || info.MaxCharSize < 2) return maxBytes;
  std::size_t position = 0;
  for (;;) {
    const std::size_t next =
        position + (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[position])) ? 2 : 1);
    if (next > maxBytes) return position;
    position = next;
  }
}

}  // namespace tavir
