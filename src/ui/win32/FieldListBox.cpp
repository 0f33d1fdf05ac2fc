// Windows: field lists in list boxes.
#include "ui/win32/FieldListBox.h"

#include "platform/CodePage.h"

namespace tavir {

void FillFieldListBox(HWND list, const std::vector<FieldId>& fields) {
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (FieldId id : fields) {
    const LRESULT index = SendMessageW(list, LB_ADDSTRING, 0,
                                       reinterpret_cast<LPARAM>(AnsiToWide(FieldName(id)).c_str()));
    if (index >= 0)
      SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), id);
  }
}

std::vector<FieldId> TakeFieldListBox(HWND list) {
  std::vector<FieldId> fields;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i)
    fields.push_back(
        static_cast<FieldId>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
  return fields;
}

}  // namespace tavir
