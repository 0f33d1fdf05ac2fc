// Windows: reordering a list box by drag and drop (the common controls' drag
// list). The dragged item moves with its text and its item data; an insert
// mark shows where it will land.
#pragma once

#include "platform/win32/CommonControls.h"

namespace tavir {

class DragListReorder {
 public:
  // The registered message that drag lists send to their dialog.
  static UINT Message();
  // Makes the list box a drag list.
  static void Enable(HWND list);
  // Answers one drag-list notification (the value for DWLP_MSGRESULT).
  LRESULT Handle(HWND dialog, const DRAGLISTINFO& info);

 private:
  int dragged_ = -1;
};

// Moves a list box item from one index to another, keeping its item data;
// the moved item ends at index `to` and is selected.
void MoveListBoxItem(HWND list, int from, int to);

}  // namespace tavir
