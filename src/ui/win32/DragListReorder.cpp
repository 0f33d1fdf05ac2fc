// Windows: drag-list notifications and the move of the dropped item.
#include "ui/win32/DragListReorder.h"

#include <vector>

namespace tavir {

UINT DragListReorder::Message() {
  static const UINT message = RegisterWindowMessageW(DRAGLISTMSGSTRING);
  return message;
}

void DragListReorder::Enable(HWND list) {
  Message();
  MakeDragList(list);
}

LRESULT DragListReorder::Handle(HWND dialog, const DRAGLISTINFO& info) {
  HWND list = info.hWnd;
  switch (info.uNotification) {
    case DL_BEGINDRAG:
      dragged_ = LBItemFromPt(list, info.ptCursor, FALSE);
      return dragged_ >= 0 ? TRUE : FALSE;
    case DL_DRAGGING: {
      const int target = LBItemFromPt(list, info.ptCursor, TRUE);
      DrawInsert(dialog, list, target);
      return target >= 0 ? DL_MOVECURSOR : DL_STOPCURSOR;
    }
    case DL_DROPPED: {
      DrawInsert(dialog, list, -1);
      const int target = LBItemFromPt(list, info.ptCursor, FALSE);
      if (dragged_ >= 0 && target >= 0 && target != dragged_)
        MoveListBoxItem(list, dragged_, target);
      dragged_ = -1;
      return 0;
    }
    case DL_CANCELDRAG:
      DrawInsert(dialog, list, -1);
      dragged_ = -1;
      return 0;
    default:
      return 0;
  }
}

void MoveListBoxItem(HWND list, int from, int to) {
  const auto item = static_cast<WPARAM>(from);
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, item, 0);
  if (length < 0)
    return;
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
  SendMessageW(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(text.data()));
  const LRESULT data = SendMessageW(list, LB_GETITEMDATA, item, 0);
  SendMessageW(list, LB_DELETESTRING, item, 0);
  const LRESULT index = SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(to),
                                     reinterpret_cast<LPARAM>(text.data()));
  if (index < 0)
    return;
  SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), data);
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

}  // namespace tavir
