// Escaping of CSV field texts, with the field length limit of the format.
#include "formats/CsvEscape.h"

#include "formats/TextLimit.h"

namespace tavir {

void AppendEscapedField(std::string& out, std::string_view text, int quoteByte,
                        bool removeLineBreaks) {
  // Only a text that could double past the limit needs measuring.
  if (text.size() * 2 > kMaxEscapedField) {
    text = text.substr(0, FittingLength(text, kMaxEscapedField, [quoteByte](int byte) {
                         return byte == quoteByte ? 2u : byte == '\r' ? 0u : 1u;
                       }));
  }
  out.reserve(out.size() + text.size() + 16);
  for (const char c : text) {
    const int byte = static_cast<unsigned char>(c);
    if (byte == quoteByte) {
      out.push_back(c);
      out.push_back(c);
    } else if (byte == '\n') {
      out.push_back(removeLineBreaks ? ' ' : '\n');
    } else if (byte != '\r') {
      out.push_back(c);
    }
  }
}

}  // namespace tavir
