// The add-field menu: the simple fields the list lacks, in number order, then
// "(Ignored)", each with command 1000 + field number.
#include <vector>

#include <gtest/gtest.h>

#include "model/Options.h"
#include "ui/AddFieldMenu.h"

namespace tavir {
namespace {

using Fields = std::vector<FieldId>;
const Fields kDefaultSimple = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

struct MenuCase {
  const char* what;
  Fields simple;
  std::vector<int> commands;
};

TEST(AddFieldMenuTest, OffersMissingSimpleFieldsThenIgnored) {
  const MenuCase cases[] = {
      {"defaults", kDefaultSimple, {1013, 1014, 1032}},
      {"all simple fields", {14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, {1032}},
      {"empty",
       {},
       {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014,
        1032}},
      {"ignored and repeat fields do not count",
       {32, 32, 20, 0},
       {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1032}},
  };
  Options options;
  for (const MenuCase& c : cases) {
    SCOPED_TRACE(c.what);
    options.mapping.simpleFields = c.simple;
    const std::vector<AddFieldMenuEntry> menu = AddFieldMenu(options.mapping);
    std::vector<int> commands;
    for (const AddFieldMenuEntry& entry : menu) {
      commands.push_back(entry.commandId);
      EXPECT_EQ(entry.name, FieldName(static_cast<FieldId>(entry.commandId - 1000)));
    }
    EXPECT_EQ(commands, c.commands);
    EXPECT_EQ(menu.back().name, "(Ignored)");
  }
}

}  // namespace
}  // namespace tavir
