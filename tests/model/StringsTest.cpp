// The string table and message formatting. (The texts themselves are checked
// where the program shows them.)
#include <gtest/gtest.h>

#include <string>

#include "model/Strings.h"

namespace tavir {
namespace {

TEST(StringsTest, UnknownIdsGiveAnEmptyText) {
  for (const int id : {0, 32788, -1}) EXPECT_EQ(LoadText(id), "") << id;
}

TEST(StringsTest, FormattingKeepsLongArgumentsWhole) {
  const std::string longText(100000, 'n');
  EXPECT_EQ(FormatMessageText(LoadText(text::CannotAddAppointment).c_str(), "10/26/2005 Meeting",
                              longText.c_str()),
            "Can't add the following appointment to Palm Desktop:\n10/26/2005 Meeting\n" + longText);
  EXPECT_EQ(FormatMessageText("%s", ""), "");
}

}  // namespace
}  // namespace tavir
