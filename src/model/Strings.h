// The program's user-visible texts, by string-table id. One table serves the
// portable build and the Windows resources, so a language resource can
// replace every text.
#pragma once

#include <string>

namespace tavir {

// The text of a string-table entry; empty for an unknown id.
std::string LoadText(int id);

// printf-style formatting of a message text (the program's messages use %s
// and %d placeholders).
std::string FormatMessageText(const char* format, ...);

}  // namespace tavir
