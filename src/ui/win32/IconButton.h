// Windows: the icon button, an owner-drawn push button showing an icon and
// its caption. With a caption the icon sits near the left edge, vertically
// centred, and the caption is centred in the room to its right; without one
// the icon is centred. Drawn in the visual theme's push-button look when the
// theme library is there and themes are active, else as a classic button.
#pragma once

#include "platform/win32/CommonControls.h"
#include "platform/win32/HandleOwner.h"

namespace tavir {

class IconButton {
 public:
  IconButton() = default;
  ~IconButton();
  IconButton(const IconButton&) = delete;
  IconButton& operator=(const IconButton&) = delete;

  // Takes over the drawing of the owner-drawn button: the icon resource
  // iconId of the current resource module at size x size pixels.
  void Attach(HWND button, int iconId, int size);

 private:
  static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data);
  void Draw(const DRAWITEMSTRUCT& item) const;

  HWND button_ = nullptr;
  IconOwner icon_;
  int size_ = 0;
};

}  // namespace tavir
