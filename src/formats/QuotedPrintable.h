// Quoted-printable text for the encoded properties of vCalendar files.
#pragma once

#include <string>
#include <string_view>

namespace tavir {

// Blank, letters, digits and most punctuation stay literal; every other byte
// becomes "=" and two uppercase hex digits. A soft line break "=" CR LF comes
// before the byte that would follow 72 or more counted characters (a literal
// counts 1, an encoded byte 2); the result never ends with a soft break.
std::string EncodeQuotedPrintable(std::string_view text);

}  // namespace tavir
