// Escaping of property values in calendar files.
#pragma once

#include <string>
#include <string_view>

namespace tavir {

// Every line break becomes the two characters \n: CR LF, LF CR, a lone CR and
// a lone LF each give one \n (an LF right after a CR and a CR right after an
// LF are dropped, so CR LF CR LF gives one \n too). Nothing else changes.
// The vCalendar form.
std::string EscapeLineBreaks(std::string_view text);

// An iCalendar TEXT value: backslash, semicolon and comma each get a
// backslash in front, so that readers take the value back whole (a comma
// would otherwise split a list value). Each line break (CR LF, LF CR, a lone
// CR or LF) becomes one \n; unlike EscapeLineBreaks, a blank line between two
// paragraphs survives as \n\n.
std::string EscapeCalendarText(std::string_view text);

// The same, appended to out (the writer escapes straight into its line).
void AppendLineBreaksEscaped(std::string& out, std::string_view text);
void AppendCalendarTextEscaped(std::string& out, std::string_view text);

}  // namespace tavir
