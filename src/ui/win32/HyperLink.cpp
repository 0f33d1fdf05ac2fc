// Windows: the hyperlink control of the about box.
#include "ui/win32/HyperLink.h"

#include "platform/CodePage.h"
#include "ui/LinkOpening.h"

namespace tavir {
namespace {

constexpr UINT_PTR kSubclassId = 1;

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

HyperLink::HyperLink(LinkSystem& system) : system_(system) {}

HyperLink::~HyperLink() {
  Detach();
}

void HyperLink::Attach(HWND control) {
  control_ = control;
  LOGFONTW description{};
  HFONT current = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (current == nullptr)
    current = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  GetObjectW(current, sizeof description, &description);
  description.lfUnderline = TRUE;
  font_.Reset(CreateFontIndirectW(&description));
  SetWindowSubclass(control, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             GetParent(control), nullptr, nullptr, nullptr);
  std::wstring address = WindowText(control);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = address.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void HyperLink::Detach() {
  if (control_ != nullptr)
    RemoveWindowSubclass(control_, Procedure, kSubclassId);
  if (tooltip_ != nullptr)
    DestroyWindow(tooltip_);
  control_ = tooltip_ = nullptr;
}

void HyperLink::Open() {
  if (OpenLink(WideToAnsi(WindowText(control_)), system_)) {
    visited_ = true;
    InvalidateRect(control_, nullptr, TRUE);
  }
}

void HyperLink::Paint(HDC dc) {
  RECT area;
  GetClientRect(control_, &area);
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  SelectedObject font(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, visited_ ? kVisitedLinkColour : kLinkColour);
  const std::wstring text = WindowText(control_);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
            DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT CALLBACK HyperLink::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self) {
  HyperLink& link = *reinterpret_cast<HyperLink*>(self);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      link.Paint(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      link.Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
      return TRUE;
    case WM_LBUTTONUP:
      link.Open();
      return 0;
    case WM_NCDESTROY:
      link.Detach();
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace tavir
