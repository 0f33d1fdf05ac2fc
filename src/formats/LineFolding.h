// Folding of long iCalendar content lines.
#pragma once

#include <string>
#include <string_view>

namespace tavir {

// Octets a physical line may hold, CR LF not counted; a continuation line's
// leading blank counts.
inline constexpr size_t kMaxFoldedLineOctets = 75;

// The line (without its CR LF) broken into physical lines of at most 75
// octets, joined by CR LF and one blank. A break never falls inside a UTF-8
// sequence, so a reader that decodes each physical line sees whole characters.
std::string FoldLine(std::string_view line);
// The same, appended to out; a line that fits is copied in one piece.
void AppendFoldedLine(std::string& out, std::string_view line);

}  // namespace tavir
