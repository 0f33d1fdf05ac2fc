// Locale port: lower-casing of ANSI texts in Windows-1252 and, in the
// portable build, in UTF-8.
#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "platform/Locale.h"
#include "support/Environment.h"

namespace tavir {
namespace {

TEST(LowerCaseTest, Windows1252LettersIncludingTheUpperRange) {
  // The Windows build's code page is the system's (1252 under the Wine runner).
  testing::ScopedEnvironmentVariable ctype("LC_ALL", "de_DE.ISO-8859-1");
  ASSERT_FALSE(AnsiCodePageIsUtf8());
  EXPECT_EQ(LowerCase("B\xDCRO M\xFCLLER ABC xyz 123"), "b\xFCro m\xFCller abc xyz 123");
  EXPECT_EQ(LowerCase("\xC0\xC9\xCE\xD5\xDE \x8A\x8C\x8E\x9F"), "\xE0\xE9\xEE\xF5\xFE \x9A\x9C\x9E\xFF");
  // Multiplication sign, sharp s and symbols have no lower case.
  EXPECT_EQ(LowerCase("\xD7\xDF\xA9\x80[]@"), "\xD7\xDF\xA9\x80[]@");
  EXPECT_EQ(LowerCase(std::string("A\0B", 3)), std::string("a\0b", 3));
  EXPECT_EQ(LowerCase(""), "");
}

#if !defined(_WIN32)
// Windows cannot switch its ANSI code page inside a process.
TEST(LowerCaseTest, Utf8LettersOfLatinGreekAndCyrillic) {
  testing::ScopedEnvironmentVariable ctype("LC_ALL", "C.UTF-8");
  ASSERT_TRUE(AnsiCodePageIsUtf8());
  EXPECT_EQ(LowerCase("B\xC3\x9CRO \xC3\x80\xC3\x9E \xC3\x97\xC3\x9F"),
            "b\xC3\xBCro \xC3\xA0\xC3\xBE \xC3\x97\xC3\x9F");
  // Latin Extended-A: L-stroke, N-acute, OE, S-caron, Y-diaeresis, Z-caron.
  EXPECT_EQ(LowerCase("\xC5\x81\xC5\x83\xC5\x92\xC5\xA0\xC5\xB8\xC5\xBD"),
            "\xC5\x82\xC5\x84\xC5\x93\xC5\xA1\xC3\xBF\xC5\xBE");
  EXPECT_EQ(LowerCase("\xCE\x91\xCE\xA9 \xD0\x81\xD0\x96"), "\xCE\xB1\xCF\x89 \xD1\x91\xD0\xB6");
  // Bytes that are not UTF-8 stay as they are.
  EXPECT_EQ(LowerCase("A\xFF\xC3 B\xC3"), "a\xFF\xC3 b\xC3");
}
#endif

}  // namespace
}  // namespace tavir
