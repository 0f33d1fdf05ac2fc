// Cutting a UTF-8 text between characters; shared by both platforms.
#include "platform/AnsiCharacters.h"

namespace tavir {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

}  // namespace

std::size_t Utf8CutLength(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text.size();
  // Look back over at most three continuation bytes for the sequence's lead.
  std::size_t start = maxBytes;
  while (start > 0 && maxBytes - start < 3 &&
         IsContinuation(static_cast<unsigned char>(text[start]))) {
    --start;
  }
  if (start == maxBytes) return maxBytes;  // the cut falls before a new character
  const std::size_t length = SequenceLength(static_cast<unsigned char>(text[start]));
  return start + length > maxBytes && length > 1 ? start : maxBytes;
}

}  // namespace tavir
