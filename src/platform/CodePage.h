// ANSI <-> UTF-16. Windows: CP_ACP. Portable: iconv, where the ANSI code page
// is UTF-8 when the locale's codeset is UTF-8, else Windows-1252. Bytes that
// cannot be converted become U+FFFD (or their Windows-1252 control character);
// characters the code page lacks become '?'.
#pragma once

#include <string>
#include <string_view>

#include "platform/Com.h"

namespace tavir {

WideString AnsiToWide(std::string_view ansi);
std::string WideToAnsi(const OLECHAR* text, size_t length);
std::string WideToAnsi(const WideString& text);
// ANSI text as UTF-8 (for iCalendar files); UTF-8 input passes unchanged
// when the ANSI code page is UTF-8.
std::string AnsiToUtf8(std::string_view ansi);
// True when the ANSI code page is UTF-8 (Windows: GetACP; portable: the
// codeset of the user's locale).
bool AnsiCodePageIsUtf8();

}  // namespace tavir
