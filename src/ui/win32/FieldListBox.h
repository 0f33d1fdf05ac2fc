// Windows: a field list shown in a list box, the field's name as the item and
// its number as the item data, and read back in the list box's order.
#pragma once

#include <vector>

#include "model/FieldMapping.h"
#include "platform/win32/CommonControls.h"

namespace tavir {

void FillFieldListBox(HWND list, const std::vector<FieldId>& fields);
std::vector<FieldId> TakeFieldListBox(HWND list);

}  // namespace tavir
