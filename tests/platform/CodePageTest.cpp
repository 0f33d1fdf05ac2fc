// Code page port: ANSI <-> UTF-16 in Windows-1252 on both builds and in UTF-8
// in the portable one; bytes and characters that do not convert never break
// the conversion.
#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "support/Environment.h"

namespace tavir {
namespace {

const WideString kBuero = {OLECHAR('B'), OLECHAR(0xFC), OLECHAR('r'), OLECHAR('o')};

class CodePageTest : public ::testing::Test {
 protected:
  // Selects Windows-1252 in the portable build; the Windows build's code
  // page is the system's (1252 under the Wine runner).
  testing::ScopedEnvironmentVariable ctype_{"LC_ALL", "de_DE.ISO-8859-1"};
  void SetUp() override { ASSERT_FALSE(AnsiCodePageIsUtf8()); }
};

TEST_F(CodePageTest, Windows1252RoundTrip) {
  EXPECT_EQ(AnsiToWide("B\xFCro"), kBuero);
  EXPECT_EQ(WideToAnsi(kBuero), "B\xFCro");
  EXPECT_EQ(WideToAnsi(kBuero.data(), 2), "B\xFC");
  EXPECT_EQ(AnsiToUtf8("B\xFCro"), "B\xC3\xBCro");
  // The euro sign lives at 0x80 in Windows-1252.
  EXPECT_EQ(AnsiToWide("\x80"), WideString(1, OLECHAR(0x20AC)));
  EXPECT_EQ(AnsiToUtf8("5 \x80"), "5 \xE2\x82\xAC");
  EXPECT_EQ(AnsiToWide(""), WideString());
  EXPECT_EQ(WideToAnsi(WideString()), "");
}

TEST_F(CodePageTest, Windows1252GapsAndMissingCharactersStillConvert) {
  // Windows maps the bytes 1252 leaves undefined to the C1 controls.
  EXPECT_EQ(AnsiToWide("a\x81z"), (WideString{OLECHAR('a'), OLECHAR(0x81), OLECHAR('z')}));
  const WideString chinese = {OLECHAR('x'), OLECHAR(0x4E2D), OLECHAR('y')};
  EXPECT_EQ(WideToAnsi(chinese), "x?y");
  const std::string embeddedZero("a\0b", 3);
  EXPECT_EQ(WideToAnsi(AnsiToWide(embeddedZero)), embeddedZero);
}

#if !defined(_WIN32)
// The portable build follows the locale's codeset; Windows cannot switch its
// ANSI code page inside a process.
class Utf8CodePageTest : public ::testing::Test {
 protected:
  testing::ScopedEnvironmentVariable ctype_{"LC_ALL", "C.UTF-8"};
  void SetUp() override { ASSERT_TRUE(AnsiCodePageIsUtf8()); }
};

TEST_F(Utf8CodePageTest, RoundTripAndPassThrough) {
  EXPECT_EQ(AnsiToWide("B\xC3\xBCro"), kBuero);
  EXPECT_EQ(WideToAnsi(kBuero), "B\xC3\xBCro");
  EXPECT_EQ(AnsiToUtf8("B\xC3\xBCro"), "B\xC3\xBCro");
  const std::string grinning = "\xF0\x9F\x98\x80";  // outside the BMP: a surrogate pair
  EXPECT_EQ(AnsiToWide(grinning).size(), 2u);
  EXPECT_EQ(WideToAnsi(AnsiToWide(grinning)), grinning);
}

TEST_F(Utf8CodePageTest, InvalidBytesBecomeReplacementCharacters) {
  const OLECHAR replacement = 0xFFFD;
  EXPECT_EQ(AnsiToWide("a\xFFz"), (WideString{OLECHAR('a'), replacement, OLECHAR('z')}));
  EXPECT_EQ(AnsiToWide("end\xC3"), (WideString{OLECHAR('e'), OLECHAR('n'), OLECHAR('d'), replacement}));
  EXPECT_EQ(AnsiToUtf8("B\xFCro"), "B\xEF\xBF\xBDro");
  const WideString loneSurrogate = {OLECHAR('a'), OLECHAR(0xD800), OLECHAR('b')};
  EXPECT_EQ(WideToAnsi(loneSurrogate), "a\xEF\xBF\xBD" "b");
}
#endif

}  // namespace
}  // namespace tavir
