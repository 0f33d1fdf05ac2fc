// Windows: the help text pop-up.
#include "ui/win32/HelpPopup.h"

#include <algorithm>
#include <string>

#include "model/Strings.h"
#include "platform/CodePage.h"
#include "platform/win32/HandleOwner.h"
#include "platform/win32/ResourceModule.h"
#include "ui/HelpTexts.h"
#include "ui/win32/ContextHelp.h"

namespace tavir {
namespace {

constexpr int kMargin = 6;
constexpr int kTextWidth = 260;

HWND openPopup = nullptr;

HFONT PopupFont(HWND popup) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(GetWindow(popup, GW_OWNER), WM_GETFONT, 0, 0));
  return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

std::wstring Text(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

LRESULT CALLBACK PopupProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT rect;
      GetClientRect(window, &rect);
      FillRect(dc, &rect, GetSysColorBrush(COLOR_INFOBK));
      InflateRect(&rect, -kMargin, -kMargin);
      SelectedObject font(dc, PopupFont(window));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
      DrawTextW(dc, Text(window).c_str(), -1, &rect, DT_WORDBREAK | DT_NOPREFIX);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_KILLFOCUS:
      DestroyWindow(window);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE)
        DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      if (openPopup == window)
        openPopup = nullptr;
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void RegisterPopupClass() {
  static const ATOM atom = [] {
    WNDCLASSW windowClass{};
    windowClass.style = CS_SAVEBITS | CS_DROPSHADOW;
    windowClass.lpfnWndProc = PopupProcedure;
    windowClass.hInstance = OwnModule();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kHelpPopupClass;
    return RegisterClassW(&windowClass);
  }();
  (void)atom;
}

std::string HelpText(int controlId) {
  // A language resource may translate the text; the built-in one stands in.
  std::string text = LoadText(kHelpStringBase + controlId);
  return text.empty() ? ControlHelpText(controlId) : text;
}

}  // namespace

void ShowHelpPopup(HWND dialog, int controlId, POINT screen) {
  if (openPopup != nullptr)
    DestroyWindow(openPopup);
  const std::string text = HelpText(controlId);
  if (text.empty())
    return;
  RegisterPopupClass();
  const std::wstring wide = AnsiToWide(text);
  HWND popup =
      CreateWindowExW(WS_EX_TOOLWINDOW, kHelpPopupClass, wide.c_str(), WS_POPUP | WS_BORDER, 0, 0,
                      0, 0, dialog, nullptr, OwnModule(), nullptr);
  if (popup == nullptr)
    return;
  openPopup = popup;
  RECT measure{0, 0, kTextWidth, 0};
  {
    HDC dc = GetDC(popup);
    SelectedObject font(dc, PopupFont(popup));
    DrawTextW(dc, wide.c_str(), -1, &measure, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    ReleaseDC(popup, dc);
  }
  const int width = measure.right + 2 * kMargin + 2;
  const int height = measure.bottom + 2 * kMargin + 2;
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = std::clamp(static_cast<int>(screen.x) - width / 2, static_cast<int>(work.left),
                           static_cast<int>(std::max(work.left, work.right - width)));
  const int y = std::clamp(static_cast<int>(screen.y), static_cast<int>(work.top),
                           static_cast<int>(std::max(work.top, work.bottom - height)));
  SetWindowPos(popup, HWND_TOP, x, y, width, height, SWP_SHOWWINDOW);
  SetFocus(popup);
}

}  // namespace tavir
