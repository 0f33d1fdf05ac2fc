// The entries of the add-field menu.
#include "ui/AddFieldMenu.h"

#include <algorithm>

namespace tavir {

std::vector<AddFieldMenuEntry> AddFieldMenu(const FieldMapping& mapping) {
  const auto& simple = mapping.simpleFields;
  std::vector<AddFieldMenuEntry> menu;
  for (FieldId id = field::Date; id <= field::LastSimple; ++id) {
    if (std::find(simple.begin(), simple.end(), id) == simple.end())
      menu.push_back({FieldName(id), kAddFieldCommandBase + static_cast<int>(id)});
  }
  menu.push_back(
      {FieldName(field::Ignored), kAddFieldCommandBase + static_cast<int>(field::Ignored)});
  return menu;
}

}  // namespace tavir
