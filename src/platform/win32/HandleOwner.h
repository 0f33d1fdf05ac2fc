// Windows: the owners of system handles (registry keys, files, GDI objects,
// menus, icons, modules), each the one owner template with a traits
// struct.
#pragma once

#include "platform/ScopedHandle.h"
#include "platform/win32/WindowsApi.h"

namespace tavir {

// Handles whose "none" is a null pointer, closed by one call that answers
// nonzero on success.
template <typename HandleType, auto CloseCall>
struct NullHandleTraits {
  using Handle = HandleType;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle handle) { return CloseCall(handle) != 0; }
};

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};
using RegistryKey = ScopedHandle<RegistryKeyTraits>;

// Fonts, bitmaps, brushes, pens: whatever DeleteObject frees.
template <typename Object>
using GdiOwner = ScopedHandle<NullHandleTraits<Object, DeleteObject>>;
using MenuOwner = ScopedHandle<NullHandleTraits<HMENU, DestroyMenu>>;
// Icons made or loaded as private copies (LoadImage without
// LR_SHARED); shared system ones must not be owned.
using IconOwner = ScopedHandle<NullHandleTraits<HICON, DestroyIcon>>;
// A module loaded with LoadLibrary.
using ModuleOwner = ScopedHandle<NullHandleTraits<HMODULE, FreeLibrary>>;

// A file or device opened with CreateFile, whose "none" is INVALID_HANDLE_VALUE.
struct CreatedFileTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle handle) { return CloseHandle(handle) != 0; }
};
using CreatedFile = ScopedHandle<CreatedFileTraits>;

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
