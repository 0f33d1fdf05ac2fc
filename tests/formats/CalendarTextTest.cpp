// Byte-level rules of calendar files: quoted-printable, the escaping of
// values and the folding of long iCalendar lines.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "formats/CalendarText.h"
#include "formats/LineFolding.h"
#include "formats/QuotedPrintable.h"

namespace tavir {
namespace {

std::string Repeat(const std::string& piece, size_t times) {
  std::string text;
  for (size_t i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(QuotedPrintable, EncodesExactlyTheBytesOutsideTheLiteralClasses) {
  // Literal: blank, 37-60, 62, 63, 65-90, 95, 97-122.
  std::string literal;
  std::string expected;
  for (int byte = 0; byte < 256; ++byte) {
    const bool isLiteral = byte == 32 || (byte >= 37 && byte <= 60) || byte == 62 || byte == 63 ||
                           (byte >= 65 && byte <= 90) || byte == 95 || (byte >= 97 && byte <= 122);
    const std::string one(1, static_cast<char>(byte));
    char hex[4];
    std::snprintf(hex, sizeof hex, "=%02X", byte);
    EXPECT_EQ(EncodeQuotedPrintable(one), isLiteral ? one : std::string(hex)) << "byte " << byte;
  }
}

TEST(QuotedPrintable, BreaksSoftlyOnceTheCountReaches72) {
  struct Case {
    const char* what;
    std::string text;
    std::string encoded;
  } cases[] = {
      {"72 letters fit on one line", Repeat("a", 72), Repeat("a", 72)},
      {"80 letters: 72, soft break, 8", Repeat("a", 80), Repeat("a", 72) + "=\r\n" + Repeat("a", 8)},
      {"36 encoded bytes per line", Repeat("=", 40),
       Repeat("=3D", 36) + "=\r\n" + Repeat("=3D", 4)},
      // 71 literals count 71: the encoded byte still goes on the line (73).
      {"an encoded byte may end past 72", Repeat("a", 71) + "@b",
       Repeat("a", 71) + "=40=\r\nb"},
      {"CR LF inside a value", "a\r\nb", "a=0D=0Ab"},
      {"no final soft break", Repeat("a", 144), Repeat("a", 72) + "=\r\n" + Repeat("a", 72)},
      {"Windows-1252 umlaut", "B\xFCro", "B=FCro"},
      {"empty", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(EncodeQuotedPrintable(c.text), c.encoded) << c.what;
}

// vCalendar texts only have their line breaks turned into \n; iCalendar texts
// also escape the separators and keep every blank line.
TEST(CalendarText, LineBreaksAndSeparatorsAreEscapedAsEachFormatWants) {
  struct Case {
    std::string text;
    std::string vCalendar;
    std::string iCalendar;
  } cases[] = {
      {"a\r\nb", "a\\nb", "a\\nb"},
      {"a\n\rb", "a\\nb", "a\\nb"},
      {"a\rb", "a\\nb", "a\\nb"},
      {"a\nb", "a\\nb", "a\\nb"},
      // A paragraph break survives in iCalendar texts: two breaks, two \n.
      {"a\r\n\r\nb", "a\\nb", "a\\n\\nb"},
      {"a\n\nb", "a\\n\\nb", "a\\n\\nb"},
      {"a\r\rb", "a\\n\\nb", "a\\n\\nb"},
      {"a;b,c\\d", "a;b,c\\d", "a\\;b\\,c\\\\d"},
      {"\\n", "\\n", "\\\\n"},
      {"x:y\"z", "x:y\"z", "x:y\"z"},
      {"\r\n", "\\n", "\\n"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EscapeLineBreaks(c.text), c.vCalendar) << c.text;
    EXPECT_EQ(EscapeCalendarText(c.text), c.iCalendar) << c.text;
  }
}

// Splits folded text back into its physical lines.
std::vector<std::string> PhysicalLines(const std::string& folded) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = folded.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(folded.substr(start, end - start));
  lines.push_back(folded.substr(start));
  return lines;
}

std::string Unfold(const std::string& folded) {
  std::string line;
  const std::vector<std::string> lines = PhysicalLines(folded);
  for (size_t i = 0; i < lines.size(); ++i) line += i == 0 ? lines[i] : lines[i].substr(1);
  return line;
}

TEST(FoldLine, KeepsEveryPhysicalLineWithin75OctetsAndWholeCharacters) {
  const std::string euro = "\xE2\x82\xAC";   // three bytes
  const std::string clef = "\xF0\x9D\x84\x9E";  // four bytes
  struct Case {
    const char* what;
    std::string line;
    size_t physicalLines;
  } cases[] = {
      {"75 octets stay one line", Repeat("a", 75), 1},
      {"76 octets fold once", Repeat("a", 76), 2},
      {"75 + 74 octets", Repeat("a", 149), 2},
      {"75 + 74 + 1 octets", Repeat("a", 150), 3},
      {"three-byte characters", "DESCRIPTION:" + Repeat(euro, 200), 9},
      {"four-byte characters", "X:" + Repeat(clef, 100), 6},
      {"a long note", "DESCRIPTION:" + Repeat("Bring slides\\n", 2200), 417},
  };
  for (const Case& c : cases) {
    const std::string folded = FoldLine(c.line);
    const std::vector<std::string> lines = PhysicalLines(folded);
    EXPECT_EQ(lines.size(), c.physicalLines) << c.what;
    EXPECT_EQ(Unfold(folded), c.line) << c.what;
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_LE(lines[i].size(), kMaxFoldedLineOctets) << c.what << " line " << i;
      if (i > 0) {
        ASSERT_FALSE(lines[i].size() < 2) << c.what;
        EXPECT_EQ(lines[i][0], ' ') << c.what;
        // No physical line starts inside a UTF-8 sequence.
        EXPECT_NE(static_cast<unsigned char>(lines[i][1]) & 0xC0, 0x80) << c.what << " line " << i;
      }
    }
  }
}

TEST(FoldLine, CutsBytesThatAreNotUtf8WhereTheRoomEnds) {
  // Continuation bytes only: there is no character boundary to wait for.
  const std::string line = Repeat("\x80", 100);
  const std::vector<std::string> lines = PhysicalLines(FoldLine(line));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 75u);
  EXPECT_EQ(lines[1].size(), 26u);
}

}  // namespace
}  // namespace tavir
