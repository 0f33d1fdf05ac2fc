// Registry port: the HKEY_CURRENT_USER helpers read the default on any
// failure, keep strings and DWORDs exactly, and refuse strings that do not fit
// the 1000-byte buffer. Windows (Wine) uses the real registry under a test key
// that the test deletes; the portable build a settings file in a temporary
// directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/Com.h"
#include "platform/Registry.h"
#include "support/Environment.h"

namespace tavir {
namespace {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
#if defined(_WIN32)
    key_ = "Software\\Quelmar\\TAVIR-RegistryTest-" + std::to_string(GetCurrentProcessId());
    RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
#else
    directory_ = std::filesystem::temp_directory_path() /
                 ("tavir-registry-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(directory_);
    store_ = std::make_unique<testing::ScopedEnvironmentVariable>(
        "TAVIR_REGISTRY", (directory_ / "settings" / "registry.reg").string());
    key_ = "Software\\Quelmar\\TAVIR\\Options";
#endif
  }
  void TearDown() override {
#if defined(_WIN32)
    RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
#else
    std::filesystem::remove_all(directory_);
#endif
  }

  std::string key_;

 private:
  std::filesystem::path directory_;
  std::unique_ptr<testing::ScopedEnvironmentVariable> store_;
};

TEST_F(RegistryTest, MissingKeyOrValueGivesTheDefault) {
  EXPECT_EQ(RegGetString(key_, "quote", "\""), "\"");
  EXPECT_EQ(RegGetDword(key_, "minsize", 1000), 1000u);
  ASSERT_TRUE(RegSetDword(key_, "fullformat", 0));
  EXPECT_EQ(RegGetString(key_, "lastfile", "none"), "none");
  EXPECT_EQ(RegGetDword(key_, "daysahead", 30), 30u);
  EXPECT_EQ(RegGetDword(key_ + "\\Sub", "fullformat", 7), 7u);
  EXPECT_FALSE(LocalMachineKeyExists("Software\\TAVIR-NoSuchVendor\\NoSuchKey"));
}

TEST_F(RegistryTest, StringsAndDwordsRoundTrip) {
  const std::string texts[] = {
      "",  // stays empty rather than becoming the default
      ";", "C:\\Daten\\Termine \"2005\".csv", "B\xFCro & Stra\xDF" "e", "line\r\nbreak\ttab",
      "Appointments have been added to the datebook.\r\nYou may now delete this application.",
  };
  for (const std::string& text : texts) {
    ASSERT_TRUE(RegSetString(key_, "filtertext", text)) << text;
    EXPECT_EQ(RegGetString(key_, "filtertext", "default"), text);
  }
  for (const std::uint32_t number : {0u, 1u, 10u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    ASSERT_TRUE(RegSetDword(key_, "daysback", number));
    EXPECT_EQ(RegGetDword(key_, "daysback", 30), number);
  }
  // A value written later leaves the others as they were.
  ASSERT_TRUE(RegSetString(key_, "separator", ","));
  EXPECT_EQ(RegGetDword(key_, "daysback", 30), 0xFFFFFFFFu);
  EXPECT_EQ(RegGetString(key_, "filtertext", ""), texts[5]);
}

TEST_F(RegistryTest, StringsNeedingMoreThan1000BytesReadAsTheDefault) {
  ASSERT_TRUE(RegSetString(key_, "filtertext", std::string(999, 'x')));
  EXPECT_EQ(RegGetString(key_, "filtertext", "default"), std::string(999, 'x'));
  ASSERT_TRUE(RegSetString(key_, "filtertext", std::string(1000, 'y')));
  EXPECT_EQ(RegGetString(key_, "filtertext", "default"), "default");
  ASSERT_TRUE(RegSetString(key_, "filtertext", std::string(1200, 'z')));
  EXPECT_EQ(RegGetString(key_, "filtertext", "default"), "default");
}

TEST_F(RegistryTest, ValuesAreReadWithoutLookingAtTheirType) {
  // A DWORD read as a string gives its bytes up to the first zero.
  ASSERT_TRUE(RegSetDword(key_, "quote", 0x00636261));
  EXPECT_EQ(RegGetString(key_, "quote", "\""), "abc");
  // A string longer than four bytes does not fit a DWORD.
  ASSERT_TRUE(RegSetString(key_, "minsize", "12345"));
  EXPECT_EQ(RegGetDword(key_, "minsize", 1000), 1000u);
}

TEST_F(RegistryTest, KeyAndValueNamesIgnoreCase) {
  ASSERT_TRUE(RegSetString(key_, "LastFile", "a.csv"));
  std::string upper = key_;
  for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  EXPECT_EQ(RegGetString(upper, "lastfile", ""), "a.csv");
  ASSERT_TRUE(RegSetString(upper, "LASTFILE", "b.csv"));
  EXPECT_EQ(RegGetString(key_, "LastFile", ""), "b.csv");
}

}  // namespace
}  // namespace tavir
