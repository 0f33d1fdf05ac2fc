// Escaping of property values in calendar files.
#include "formats/CalendarText.h"

namespace tavir {

namespace {

bool IsLineBreakByte(char character) { return character == '\r' || character == '\n'; }

}  // namespace

std::string EscapeLineBreaks(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size() + 16);
  char previous = '\0';
  for (const char character : text) {
    const bool secondHalfOfPair =
        (character == '\n' && previous == '\r') || (character == '\r' && previous == '\n');
    previous = character;
    if (secondHalfOfPair) continue;
    if (IsLineBreakByte(character))
      escaped += "\\n";
    else
      escaped += character;
  }
  return escaped;
}

std::string EscapeCalendarText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size() + 16);
  for (size_t i = 0; i < text.size(); ++i) {
    const char character = text[i];
    if (IsLineBreakByte(character)) {
      escaped += "\\n";
      // The other half of a CR LF or LF CR pair belongs to the same break.
      if (i + 1 < text.size() && IsLineBreakByte(text[i + 1]) && text[i + 1] != character) ++i;
    } else if (character == '\\' || character == ';' || character == ',') {
      escaped += '\\';
      escaped += character;
    } else {
      escaped += character;
    }
  }
  return escaped;
}

}  // namespace tavir
