// Windows: the file format example's text and layout.
#include "ui/win32/ExampleDialog.h"

#include "ui/ExampleText.h"
#include "ui/win32/DataExchange.h"
#include "ui/win32/ResourceIds.h"

namespace tavir {

CExampleDlg::CExampleDlg(const Options& options) : ModalDialog(IDD_EXAMPLE), options_(options) {}

bool CExampleDlg::OnInitDialog() {
  HWND edit = Item(IDC_EXAMPLE_TEXT);
  RECT rect;
  GetWindowRect(edit, &rect);
  MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&rect), 2);
  left_ = rect.left;
  top_ = rect.top;
  SetWindowTextAnsi(edit, BuildExampleText(options_));
  // The focus on OK leaves the text unselected and scrolled to its start,
  // where the header begins.
  SetFocus(Item(IDOK));
  return false;
}

bool CExampleDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR&) {
  if (message == WM_SIZE && LOWORD(lParam) != 0 && HIWORD(lParam) != 0)
    Layout(LOWORD(lParam), HIWORD(lParam));
  return false;
}

void CExampleDlg::Layout(int width, int height) {
  if (left_ < 0)
    return;
  HWND button = Item(IDOK);
  RECT rect;
  GetWindowRect(button, &rect);
  const int buttonWidth = rect.right - rect.left;
  const int buttonHeight = rect.bottom - rect.top;
  const int buttonTop = height - top_ - buttonHeight;
  MoveWindow(button, (width - buttonWidth) / 2, buttonTop, buttonWidth, buttonHeight, TRUE);
  MoveWindow(Item(IDC_EXAMPLE_TEXT), left_, top_, width - 3 * left_, buttonTop - top_ - top_, TRUE);
}

}  // namespace tavir
