// Folding of long iCalendar content lines.
#include "formats/LineFolding.h"

namespace tavir {

namespace {

bool IsUtf8Continuation(char character) {
  return (static_cast<unsigned char>(character) & 0xC0) == 0x80;
}

}  // namespace

std::string FoldLine(std::string_view line) {
  std::string folded;
  folded.reserve(line.size() + line.size() / 24);
  AppendFoldedLine(folded, line);
  return folded;
}

void AppendFoldedLine(std::string& folded, std::string_view line) {
  size_t start = 0;
  size_t room = kMaxFoldedLineOctets;
  while (line.size() - start > room) {
    size_t end = start + room;
    while (end > start && IsUtf8Continuation(line[end])) --end;
    // Only bytes that are not UTF-8 at all lead here; cut where the room ends.
    if (end == start) end = start + room;
    folded.append(line.substr(start, end - start));
    folded += "\r\n ";
    start = end;
    room = kMaxFoldedLineOctets - 1;
  }
  folded.append(line.substr(start));
}

}  // namespace tavir
