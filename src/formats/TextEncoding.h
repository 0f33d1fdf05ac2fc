// The encodings of text files from other programs: telling UTF-8 from the
// rest, and decoding UTF-8 and Windows-1252 text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Com.h"

namespace tavir {

enum class TextEncoding {
  Ansi,  // the system's ANSI code page: bytes taken as they are
  Utf8,
  Windows1252,  // what Excel and Notepad save as "ANSI" on western Windows
};

// "utf-8", "windows-1252" (also "cp1252"), "ansi"; case ignored. None for
// other names.
std::optional<TextEncoding> ParseEncodingName(std::string_view name);
const char* EncodingName(TextEncoding encoding);

// No byte sequence that UTF-8 forbids (a sequence cut off at the end counts
// as forbidden).
bool IsValidUtf8(std::string_view bytes);

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// UTF-16 of UTF-8 text (invalid bytes become U+FFFD) or of Windows-1252 text.
WideString DecodeText(std::string_view bytes, TextEncoding encoding);

}  // namespace tavir
