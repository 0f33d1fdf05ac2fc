// The string table and message formatting.
#include <gtest/gtest.h>

#include <string>

#include "model/Strings.h"

namespace tavir {
namespace {

TEST(StringsTest, TextsAreFoundByTheirIds) {
  EXPECT_EQ(LoadText(32858), "Can't add the following appointment to Palm Desktop:\n%s\n%s");
  EXPECT_EQ(LoadText(32789), "Error reading %s line %d");
  EXPECT_EQ(LoadText(kFieldErrorIdBase + 101),
            "Invalid date. Expected e.g. \"%s\"\n(Windows Regional Settings)");
  EXPECT_EQ(LoadText(kFieldErrorIdBase + 113), "Invalid ID ");
  EXPECT_EQ(LoadText(32865 + 1), LoadText(text::MarkedManyForArchival));
  EXPECT_EQ(LoadText(0), "");
  EXPECT_EQ(LoadText(32788), "");
  EXPECT_EQ(LoadText(-1), "");
}

TEST(StringsTest, FormattingKeepsLongArgumentsWhole) {
  const std::string longText(100000, 'n');
  const std::string result = FormatMessageText(LoadText(text::CannotAddAppointment).c_str(),
                                               "10/26/2005 Meeting", longText.c_str());
  EXPECT_EQ(result, "Can't add the following appointment to Palm Desktop:\n10/26/2005 Meeting\n" +
                        longText);
  EXPECT_EQ(FormatMessageText(LoadText(text::CountSimpleFormatMany).c_str(), 12, "a", "b"),
            "12 appointments between a and b");
  EXPECT_EQ(FormatMessageText("%s", ""), "");
}

}  // namespace
}  // namespace tavir
