// The options dialog's add-field menu: which fields the simple list can still
// take, each with its menu command.
#pragma once

#include <string>
#include <vector>

#include "model/FieldMapping.h"

namespace tavir {

struct AddFieldMenuEntry {
  std::string name;
  int commandId;  // kAddFieldCommandBase + field number
};

inline constexpr int kAddFieldCommandBase = 1000;

// Fields 0 to 14 not yet in the simple list, in number order, then always
// "(Ignored)" (command 1032).
std::vector<AddFieldMenuEntry> AddFieldMenu(const FieldMapping& mapping);

}  // namespace tavir
