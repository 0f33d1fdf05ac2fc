// Code page port: ANSI <-> UTF-16 and lower-casing in Windows-1252 on both
// builds and in UTF-8 in the portable one; bytes and characters that do not
// convert never break the conversion.
#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "platform/Locale.h"
#include "support/Environment.h"

namespace tavir {
namespace {

const WideString kBuero = {OLECHAR('B'), OLECHAR(0xFC), OLECHAR('r'), OLECHAR('o')};

// Selects the ANSI code page: Windows-1252 through a Latin-1 locale in the
// portable build (the Windows build's is the system's, 1252 under the Wine
// runner), or UTF-8, which only the portable build can switch to.
template <bool kUtf8>
class CodePage : public ::testing::Test {
 protected:
  test_support::ScopedEnvironmentVariable ctype_{"LC_ALL", kUtf8 ? "C.UTF-8" : "de_DE.ISO-8859-1"};
  void SetUp() override { ASSERT_EQ(AnsiCodePageIsUtf8(), kUtf8); }
};
using CodePageTest = CodePage<false>;

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

TEST_F(CodePageTest, Windows1252LowerCaseIncludesTheUpperRange) {
  EXPECT_EQ(LowerCase("B\xDCRO M\xFCLLER ABC xyz 123"), "b\xFCro m\xFCller abc xyz 123");
  EXPECT_EQ(LowerCase("\xC0\xC9\xCE\xD5\xDE \x8A\x8C\x8E\x9F"),
            "\xE0\xE9\xEE\xF5\xFE \x9A\x9C\x9E\xFF");
  // Multiplication sign, sharp s and symbols have no lower case.
  EXPECT_EQ(LowerCase("\xD7\xDF\xA9\x80[]@"), "\xD7\xDF\xA9\x80[]@");
  EXPECT_EQ(LowerCase(std::string("A\0B", 3)), std::string("a\0b", 3));
}

#if !defined(_WIN32)
using Utf8CodePageTest = CodePage<true>;

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
  EXPECT_EQ(AnsiToWide("end\xC3"),
            (WideString{OLECHAR('e'), OLECHAR('n'), OLECHAR('d'), replacement}));
  EXPECT_EQ(AnsiToUtf8("B\xFCro"), "B\xEF\xBF\xBDro");
  const WideString loneSurrogate = {OLECHAR('a'), OLECHAR(0xD800), OLECHAR('b')};
  EXPECT_EQ(WideToAnsi(loneSurrogate),
            "a\xEF\xBF\xBD"
            "b");
}

TEST_F(Utf8CodePageTest, LowerCaseOfLatinGreekAndCyrillicLeavesInvalidBytes) {
  EXPECT_EQ(LowerCase("B\xC3\x9CRO \xC3\x80\xC3\x9E \xC3\x97\xC3\x9F"),
            "b\xC3\xBCro \xC3\xA0\xC3\xBE \xC3\x97\xC3\x9F");
  // Latin Extended-A: L-stroke, N-acute, OE, S-caron, Y-diaeresis, Z-caron.
  EXPECT_EQ(LowerCase("\xC5\x81\xC5\x83\xC5\x92\xC5\xA0\xC5\xB8\xC5\xBD"),
            "\xC5\x82\xC5\x84\xC5\x93\xC5\xA1\xC3\xBF\xC5\xBE");
  EXPECT_EQ(LowerCase("\xCE\x91\xCE\xA9 \xD0\x81\xD0\x96"), "\xCE\xB1\xCF\x89 \xD1\x91\xD0\xB6");
  EXPECT_EQ(LowerCase("A\xFF\xC3 B\xC3"), "a\xFF\xC3 b\xC3");
}
#endif

}  // namespace
}  // namespace tavir
