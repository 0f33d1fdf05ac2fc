// Escaping of property values in calendar files. The escapes append to the
// line being written: most values need none and are copied in one piece.
#include "formats/CalendarText.h"

namespace tavir {

namespace {

bool IsLineBreakByte(char character) {
  return character == '\r' || character == '\n';
}

bool NeedsTextEscape(char character) {
  return IsLineBreakByte(character) || character == '\\' || character == ';' || character == ',';
}

// The position of the first byte at or after from that special picks, or the
// text's size. (find_first_of calls memchr once per byte of the text.)
template <typename Special>
size_t FindSpecial(std::string_view text, size_t from, Special special) {
  while (from < text.size() && !special(text[from]))
    ++from;
  return from;
}

}  // namespace

void AppendLineBreaksEscaped(std::string& out, std::string_view text) {
  size_t done = 0;
  for (size_t i = FindSpecial(text, 0, IsLineBreakByte); i < text.size();
       i = FindSpecial(text, done, IsLineBreakByte)) {
    out.append(text.substr(done, i - done));
    out += "\\n";
    done = i + 1;
    // The other half of a pair, and every break that follows directly as
    // part of a CR LF CR LF chain, belongs to the same \n.
    while (done < text.size() && IsLineBreakByte(text[done]) && text[done] != text[done - 1])
      ++done;
  }
  out.append(text.substr(done));
}

void AppendCalendarTextEscaped(std::string& out, std::string_view text) {
  size_t done = 0;
  for (size_t i = FindSpecial(text, 0, NeedsTextEscape); i < text.size();
       i = FindSpecial(text, done, NeedsTextEscape)) {
    out.append(text.substr(done, i - done));
    const char character = text[i];
    done = i + 1;
    if (IsLineBreakByte(character)) {
      out += "\\n";
      // The other half of a CR LF or LF CR pair belongs to the same break.
      if (done < text.size() && IsLineBreakByte(text[done]) && text[done] != character)
        ++done;
    } else {
      out += '\\';
      out += character;
    }
  }
  out.append(text.substr(done));
}

std::string EscapeLineBreaks(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size() + 16);
  AppendLineBreaksEscaped(escaped, text);
  return escaped;
}

std::string EscapeCalendarText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size() + 16);
  AppendCalendarTextEscaped(escaped, text);
  return escaped;
}

}  // namespace tavir
