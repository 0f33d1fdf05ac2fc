// Windows: drawing the icon button.
#include "ui/win32/IconButton.h"

#include <string>

#include "platform/win32/ResourceModule.h"
#include "ui/win32/ButtonTheme.h"
#include "ui/win32/ModalDialog.h"

namespace tavir {
namespace {

constexpr UINT_PTR kSubclassId = 0x1C0B;
constexpr int kBorder = 4;  // the frame's width inside the button's edge
constexpr int kIconMargin = 4;

ThemedButtonState StateOf(const DRAWITEMSTRUCT& item) {
  if (item.itemState & ODS_DISABLED)
    return ThemedButtonState::Disabled;
  if (item.itemState & ODS_SELECTED)
    return ThemedButtonState::Pressed;
  if (item.itemState & ODS_FOCUS)
    return ThemedButtonState::Defaulted;
  return ThemedButtonState::Normal;
}

std::wstring Caption(HWND button) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(button)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(button, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

IconButton::~IconButton() {
  if (button_ != nullptr)
    RemoveWindowSubclass(button_, Subclass, kSubclassId);
}

void IconButton::Attach(HWND button, int iconId, int size) {
  if (button_ != nullptr)
    RemoveWindowSubclass(button_, Subclass, kSubclassId);
  button_ = button;
  size_ = size;
  icon_.Reset(static_cast<HICON>(
      LoadImageW(ResourceModule(), MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, 0)));
  SetWindowSubclass(button, Subclass, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  InvalidateRect(button, nullptr, TRUE);
}

LRESULT CALLBACK IconButton::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR data) {
  if (message == kReflectedDrawItem) {
    reinterpret_cast<const IconButton*>(data)->Draw(
        *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void IconButton::Draw(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  RECT frame = item.rcItem;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &frame, GetSysColorBrush(COLOR_BTNFACE));
  if (!DrawThemedButton(item.hwndItem, dc, frame, StateOf(item))) {
    DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  }
  RECT content = frame;
  InflateRect(&content, -kBorder, -kBorder);
  if (pressed)
    OffsetRect(&content, 1, 1);

  const std::wstring caption = Caption(item.hwndItem);
  const int height = content.bottom - content.top;
  const int iconX = caption.empty() ? content.left + (content.right - content.left - size_) / 2
                                    : content.left + kIconMargin;
  const int iconY = content.top + (height - size_) / 2;
  if (icon_) {
    if (disabled)
      DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon_.Get()), 0, iconX, iconY,
                 size_, size_, DST_ICON | DSS_DISABLED);
    else
      DrawIconEx(dc, iconX, iconY, icon_.Get(), size_, size_, 0, nullptr, DI_NORMAL);
  }
  if (!caption.empty()) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    SelectedObject selected(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    RECT text = content;
    text.left = iconX + size_;
    const UINT hidePrefix = (item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | hidePrefix;
    SetBkMode(dc, TRANSPARENT);
    if (disabled) {
      // The classic embossed look: a highlight one pixel down-right, then grey.
      RECT shadow = text;
      OffsetRect(&shadow, 1, 1);
      SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      DrawTextW(dc, caption.c_str(), -1, &shadow, format);
      SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    }
    DrawTextW(dc, caption.c_str(), -1, &text, format);
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus = frame;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace tavir
