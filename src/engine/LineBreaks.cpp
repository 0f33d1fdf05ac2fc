// ExpandLineBreaks: the line breaks of imported texts as the Datebook keeps them.
#include "engine/FieldConversion.h"
#include "formats/TextLimit.h"

namespace tavir {

std::string ExpandLineBreaks(std::string_view text) {
  // Cut before a character, never between an added CR and its LF.
  if (text.size() * 2 > kMaxExpandedText)
    text = text.substr(0, FittingLength(text, kMaxExpandedText,
                                        [](int byte) { return byte == '\n' ? 2u : 1u; }));
  std::string result;
  result.reserve(text.size() + 16);
  for (const char c : text) {
    if (c == '\n') result.push_back('\r');
    result.push_back(c);
  }
  return result;
}

}  // namespace tavir
