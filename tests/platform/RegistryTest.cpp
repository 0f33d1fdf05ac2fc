// Registry port: the HKEY_CURRENT_USER helpers read the default on any
// failure, keep strings and DWORDs exactly, and refuse strings that do not fit
// the 1000-byte buffer. Windows (Wine) uses the real registry, the portable
// build a settings file in a temporary directory.
#include <gtest/gtest.h>

#include <string>

#include "platform/Registry.h"
#include "support/ScratchRegistry.h"

namespace tavir {
namespace {

const std::string kKey = "Software\\Quelmar\\TAVIR\\Options";

class RegistryTest : public ::testing::Test {
 protected:
  test_support::ScratchRegistry registry_;
};

TEST_F(RegistryTest, MissingKeyOrValueGivesTheDefault) {
  EXPECT_EQ(RegGetString(kKey, "quote", "\""), "\"");
  EXPECT_EQ(RegGetDword(kKey, "minsize", 1000), 1000u);
  ASSERT_TRUE(RegSetDword(kKey, "fullformat", 0));
  EXPECT_EQ(RegGetString(kKey, "lastfile", "none"), "none");
  EXPECT_EQ(RegGetDword(kKey, "daysahead", 30), 30u);
  EXPECT_EQ(RegGetDword(kKey + "\\Sub", "fullformat", 7), 7u);
  EXPECT_FALSE(LocalMachineKeyExists("Software\\TAVIR-NoSuchVendor\\NoSuchKey"));
}

TEST_F(RegistryTest, StringsAndDwordsRoundTrip) {
  const std::string texts[] = {
      "",  // stays empty rather than becoming the default
      ";", "C:\\Daten\\Termine \"2005\".csv", "B\xFCro & Stra\xDF" "e", "line\r\nbreak\ttab",
      std::string(999, 'x'),  // the longest that fits the buffer with its zero
  };
  for (const std::string& text : texts) {
    ASSERT_TRUE(RegSetString(kKey, "filtertext", text)) << text;
    EXPECT_EQ(RegGetString(kKey, "filtertext", "default"), text);
  }
  for (const std::uint32_t number : {0u, 1u, 10u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    ASSERT_TRUE(RegSetDword(kKey, "daysback", number));
    EXPECT_EQ(RegGetDword(kKey, "daysback", 30), number);
  }
  // A value written later leaves the others as they were.
  ASSERT_TRUE(RegSetString(kKey, "separator", ","));
  EXPECT_EQ(RegGetDword(kKey, "daysback", 30), 0xFFFFFFFFu);
  EXPECT_EQ(RegGetString(kKey, "filtertext", ""), texts[5]);
}

TEST_F(RegistryTest, StringsNeedingMoreThan1000BytesReadAsTheDefault) {
  for (const size_t length : {1000u, 1200u}) {
    ASSERT_TRUE(RegSetString(kKey, "filtertext", std::string(length, 'y')));
    EXPECT_EQ(RegGetString(kKey, "filtertext", "default"), "default") << length;
  }
}

TEST_F(RegistryTest, ValuesAreReadWithoutLookingAtTheirTypeOrTheCaseOfNames) {
  // A DWORD read as a string gives its bytes up to the first zero.
  ASSERT_TRUE(RegSetDword(kKey, "quote", 0x00636261));
  EXPECT_EQ(RegGetString(kKey, "quote", "\""), "abc");
  // A string longer than four bytes does not fit a DWORD.
  ASSERT_TRUE(RegSetString(kKey, "minsize", "12345"));
  EXPECT_EQ(RegGetDword(kKey, "minsize", 1000), 1000u);

  ASSERT_TRUE(RegSetString(kKey, "LastFile", "a.csv"));
  const std::string upper = "SOFTWARE\\QUELMAR\\TAVIR\\OPTIONS";
  EXPECT_EQ(RegGetString(upper, "lastfile", ""), "a.csv");
  ASSERT_TRUE(RegSetString(upper, "LASTFILE", "b.csv"));
  EXPECT_EQ(RegGetString(kKey, "LastFile", ""), "b.csv");
}

}  // namespace
}  // namespace tavir
