// Windows: the about box's hyperlink, a static control taken over to show
// its text underlined, with the hand cursor and a tooltip, and to open the
// address on a click; drawn in the visited colour once that succeeded.
#pragma once

#include <string>

#include "platform/win32/HandleOwner.h"
#include "ui/win32/UiApi.h"

namespace tavir {

class LinkSystem;

inline constexpr COLORREF kLinkColour = RGB(0, 0, 238);
inline constexpr COLORREF kVisitedLinkColour = RGB(85, 26, 139);

class HyperLink {
 public:
  // The system opens the address; it must outlive the control.
  explicit HyperLink(LinkSystem& system);
  ~HyperLink();
  HyperLink(const HyperLink&) = delete;
  HyperLink& operator=(const HyperLink&) = delete;

  // Takes over the control: its text is the address.
  void Attach(HWND control);
  bool Visited() const { return visited_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);
  void Open();
  void Paint(HDC dc);
  void Detach();

  LinkSystem& system_;
  HWND control_ = nullptr;
  HWND tooltip_ = nullptr;
  GdiOwner<HFONT> font_;
  bool visited_ = false;
};

}  // namespace tavir
