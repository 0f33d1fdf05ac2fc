// Lower-casing of ANSI texts as CharLowerBuff does it (portable build): for
// Windows-1252 the letters of that code page, for UTF-8 the Latin, Greek and
// Cyrillic letters of the Basic Multilingual Plane's first blocks.
#include <cstdint>

#include "platform/CodePage.h"
#include "platform/Locale.h"

namespace tavir {
namespace {

char LowerWindows1252(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 'A' && byte <= 'Z') return static_cast<char>(byte + 0x20);
  if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) return static_cast<char>(byte + 0x20);
  switch (byte) {
    case 0x8A: return static_cast<char>(0x9A);  // S caron
    case 0x8C: return static_cast<char>(0x9C);  // OE
    case 0x8E: return static_cast<char>(0x9E);  // Z caron
    case 0x9F: return static_cast<char>(0xFF);  // Y diaeresis
    default: return c;
  }
}

char32_t LowerCodePoint(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c == 0x130) return 'i';
  if (c == 0x178) return 0xFF;
  // Latin Extended-A pairs an upper-case letter with the next code point.
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c % 2 == 0 ? c + 1 : c;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return c % 2 == 1 ? c + 1 : c;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;  // Greek
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;                // Cyrillic
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  return c;
}

// Decodes one UTF-8 character at text[i]; 0 when the bytes are not valid
// UTF-8 (they are then left as they are).
size_t DecodeUtf8(std::string_view text, size_t i, char32_t& codePoint) {
  const auto lead = static_cast<unsigned char>(text[i]);
  size_t length;
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    const auto byte = static_cast<unsigned char>(text[i + k]);
    if ((byte & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (byte & 0x3F);
  }
  return length;
}

void AppendUtf8(std::string& text, char32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string LowerCase(std::string_view text) {
  std::string lower;
  lower.reserve(text.size());
  // ASCII lower-cases alike in both code pages; only other texts need to know
  // which one the locale has (which reads the environment).
  size_t ascii = 0;
  while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80)
    ++ascii;
  if (ascii == text.size()) {
    for (const char c : text)
      lower += LowerWindows1252(c);
    return lower;
  }
  if (!AnsiCodePageIsUtf8()) {
    for (const char c : text) lower += LowerWindows1252(c);
    return lower;
  }
  for (size_t i = 0; i < text.size();) {
    char32_t codePoint = 0;
    const size_t length = DecodeUtf8(text, i, codePoint);
    if (length == 0) {
      lower += text[i++];
      continue;
    }
    const char32_t lowered = LowerCodePoint(codePoint);
    if (lowered == codePoint)
      lower.append(text.substr(i, length));
    else
      AppendUtf8(lower, lowered);
    i += length;
  }
  return lower;
}

}  // namespace tavir
