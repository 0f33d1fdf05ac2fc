// Quoted-printable encoding of vCalendar property values.
#include "formats/QuotedPrintable.h"

namespace tavir {

namespace {

bool IsWrittenLiterally(unsigned char byte) {
  return byte == ' ' || (byte >= 37 && byte <= 60) || byte == 62 || byte == 63 ||
         (byte >= 65 && byte <= 90) || byte == 95 || (byte >= 97 && byte <= 122);
}

constexpr int kSoftBreakCount = 72;

}  // namespace

std::string EncodeQuotedPrintable(std::string_view text) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(text.size() + text.size() / 2);
  int count = 0;
  for (const char character : text) {
    const auto byte = static_cast<unsigned char>(character);
    if (count >= kSoftBreakCount) {
      encoded += "=\r\n";
      count = 0;
    }
    if (IsWrittenLiterally(byte)) {
      encoded += character;
      count += 1;
    } else {
      encoded += '=';
      encoded += kHexDigits[byte >> 4];
      encoded += kHexDigits[byte & 0x0F];
      count += 2;
    }
  }
  return encoded;
}

}  // namespace tavir
