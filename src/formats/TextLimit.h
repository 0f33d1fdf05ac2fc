// Cutting a text whose transformed form (escaped, expanded) must stay within
// a byte limit: the cut falls before the first character that would not fit.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/AnsiCharacters.h"

namespace tavir {

// width(byte) is how many bytes one byte of text becomes. Returns how many
// leading bytes of text fit into limit once transformed, ending on a
// character boundary.
template <typename Width>
std::size_t FittingLength(std::string_view text, std::size_t limit, Width width) {
  std::size_t total = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t bytes = width(static_cast<unsigned char>(text[i]));
    if (total + bytes > limit) return AnsiCutLength(text, i);
    total += bytes;
  }
  return text.size();
}

}  // namespace tavir
