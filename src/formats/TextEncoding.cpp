// UTF-8 validity and the decoding of files from other programs.
#include "formats/TextEncoding.h"

#include <cctype>

namespace tavir {

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; the five it leaves undefined map to
// the C1 control of the same number, as Windows maps them.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Length of the UTF-8 sequence that lead starts; 0 for a byte that cannot start one.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80)
    return 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    return 2;
  if (lead >= 0xE0 && lead <= 0xEF)
    return 3;
  if (lead >= 0xF0 && lead <= 0xF4)
    return 4;
  return 0;
}

// The code point of the complete sequence at text[0..length), or -1 when
// UTF-8 forbids it (overlong, a surrogate, beyond U+10FFFF, a bad follower).
long DecodeSequence(std::string_view text, std::size_t length) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  if (length == 1)
    return byte(0);
  long code = byte(0) & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80)
      return -1;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  static constexpr long kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return -1;
  return code;
}

void AppendUtf16(WideString& out, long code) {
  if (code < 0x10000) {
    out += static_cast<OLECHAR>(code);
    return;
  }
  code -= 0x10000;
  out += static_cast<OLECHAR>(0xD800 + (code >> 10));
  out += static_cast<OLECHAR>(0xDC00 + (code & 0x3FF));
}

}  // namespace

std::optional<TextEncoding> ParseEncodingName(std::string_view name) {
  std::string lower;
  for (const char c : name)
    lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower == "utf-8" || lower == "utf8")
    return TextEncoding::Utf8;
  if (lower == "windows-1252" || lower == "cp1252")
    return TextEncoding::Windows1252;
  if (lower == "ansi")
    return TextEncoding::Ansi;
  return std::nullopt;
}

const char* EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return "UTF-8";
    case TextEncoding::Windows1252:
      return "Windows-1252";
    default:
      return "ANSI";
  }
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = SequenceLength(static_cast<unsigned char>(bytes[i]));
    if (length == 0 || i + length > bytes.size())
      return false;
    if (length > 1 && DecodeSequence(bytes.substr(i), length) < 0)
      return false;
    i += length;
  }
  return true;
}

WideString DecodeText(std::string_view bytes, TextEncoding encoding) {
  WideString wide;
  wide.reserve(bytes.size());
  if (encoding == TextEncoding::Windows1252) {
    for (const char c : bytes) {
      const auto byte = static_cast<unsigned char>(c);
      wide +=
          static_cast<OLECHAR>(byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte);
    }
    return wide;
  }
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = SequenceLength(static_cast<unsigned char>(bytes[i]));
    const long code =
        length == 0 || i + length > bytes.size() ? -1 : DecodeSequence(bytes.substr(i), length);
    AppendUtf16(wide, code < 0 ? 0xFFFD : code);
    i += code < 0 ? 1 : length;
  }
  return wide;
}

}  // namespace tavir
