// Windows: one owner template for system handles, and the owners of the
// user-interface handles (GDI objects, menus, icons, cursors, modules).
#pragma once

#include <utility>

#include "platform/win32/WindowsApi.h"

namespace tavir {

// Owns one handle and closes it with Close when it goes; movable, not copyable.
template <typename Handle, typename Close>
class HandleOwner {
 public:
  HandleOwner() = default;
  explicit HandleOwner(Handle handle) : handle_(handle) {}
  ~HandleOwner() { reset(); }
  HandleOwner(HandleOwner&& other) noexcept : handle_(other.release()) {}
  HandleOwner& operator=(HandleOwner&& other) noexcept {
    reset(other.release());
    return *this;
  }
  HandleOwner(const HandleOwner&) = delete;
  HandleOwner& operator=(const HandleOwner&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle release() { return std::exchange(handle_, nullptr); }
  void reset(Handle handle = nullptr) {
    if (handle_ != nullptr)
      Close()(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyMenuHandle {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct DestroyIconHandle {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct DestroyCursorHandle {
  void operator()(HCURSOR cursor) const { DestroyCursor(cursor); }
};
struct FreeModuleHandle {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};

// Fonts, bitmaps, brushes, pens: whatever DeleteObject frees.
template <typename Object>
using GdiOwner = HandleOwner<Object, DeleteGdiObject>;
using MenuOwner = HandleOwner<HMENU, DestroyMenuHandle>;
// Icons and cursors made or loaded as private copies (LoadImage without
// LR_SHARED); shared system ones must not be owned.
using IconOwner = HandleOwner<HICON, DestroyIconHandle>;
using CursorOwner = HandleOwner<HCURSOR, DestroyCursorHandle>;
// A module loaded with LoadLibrary.
using ModuleOwner = HandleOwner<HMODULE, FreeModuleHandle>;

// Selects an object into a device context and puts the previous one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, previous_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace tavir
