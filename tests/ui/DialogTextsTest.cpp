// The texts the dialogs compute: the count line, the archive messages and the
// checks on taking over a value.
#include <gtest/gtest.h>

#include "model/Options.h"
#include "support/Environment.h"
#include "ui/ArchiveTexts.h"
#include "ui/CountLine.h"
#include "ui/OptionChecks.h"

namespace tavir::test_support {
namespace {

TEST(DialogTextsTest, CountLineUsesTheSingularOnlyForOneInTheSimpleFormat) {
  ScopedEnvironmentVariable locale("TAVIR_LOCALE", std::string("en-US"));
  ScopedEnvironmentVariable now("TAVIR_NOW", std::string("2005-11-10T16:42:17"));
  Options options;
  options.fullformat = 0;
  EXPECT_EQ(CountLineText(options, 1), "1 appointment between 10/11/2005 and 12/10/2005");
  EXPECT_EQ(CountLineText(options, 0), "0 appointments between 10/11/2005 and 12/10/2005");
  EXPECT_EQ(CountLineText(options, 2), "2 appointments between 10/11/2005 and 12/10/2005");
  options.fullformat = 1;
  EXPECT_EQ(CountLineText(options, 1), "1 appointments");
}

TEST(DialogTextsTest, ArchiveMessagesFollowTheNumberMarked) {
  EXPECT_EQ(
      ArchiveResultText(1),
      "Marked 1 appointment for archival.\nThe appointment will be archived at next HotSync.");
  EXPECT_EQ(
      ArchiveResultText(0),
      "Marked 0 appointments for archival.\nThe appointments will be archived at next HotSync.");
  EXPECT_EQ(ArchiveResultText(-1), "Error archiving appointments");
  EXPECT_EQ(ArchiveStatisticsText({3, 120}), "3 appointments taking up 120 bytes.");
}

TEST(DialogTextsTest, RangeCheckAcceptsOnlyWholeNumbersInside) {
  const std::string range = "Please enter an integer between 1 and 999.";
  const std::string notNumber = "Please enter an integer.";
  struct Case {
    const char* text;
    std::string problem;  // empty: accepted
    int value;
  } cases[] = {{"1", "", 1},
               {"999", "", 999},
               {" 45 ", "", 45},
               {"0", range, 0},
               {"1000", range, 0},
               {"-3", range, 0},
               {"99999999999999999999", range, 0},
               {"", notNumber, 0},
               {"12x", notNumber, 0},
               {"4.5", notNumber, 0},
               {"  ", notNumber, 0}};
  for (const Case& c : cases) {
    int value = -1;
    const auto problem = CheckIntegerRange(c.text, 1, 999, value);
    EXPECT_EQ(problem.value_or(""), c.problem) << c.text;
    if (c.problem.empty()) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
  EXPECT_FALSE(CheckExceptionSeparator(";"));
  EXPECT_FALSE(CheckExceptionSeparator(""));
  EXPECT_EQ(*CheckExceptionSeparator(", "), "Please enter no more than 1 characters.");
}

}  // namespace
}  // namespace tavir::test_support
