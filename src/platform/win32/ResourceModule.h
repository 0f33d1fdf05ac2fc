// Windows: the module that dialogs, menus, strings, icons, bitmaps and
// accelerators are loaded from. It is the module holding this code unless a
// language resource DLL has been made current.
#pragma once

#include "platform/win32/WindowsApi.h"

namespace tavir {

// The module (DLL or program) this code was linked into.
HMODULE OwnModule();
// The current resource module: the one set last, else OwnModule().
HMODULE ResourceModule();
// nullptr makes OwnModule() current again. The caller keeps ownership of the
// module handle and must keep it loaded while it is current.
void SetResourceModule(HMODULE module);

// Makes a module current for one scope (an entry from the host, a command
// run) and restores the previous one when the scope ends.
class ResourceModuleScope {
 public:
  explicit ResourceModuleScope(HMODULE module);
  ~ResourceModuleScope();
  ResourceModuleScope(const ResourceModuleScope&) = delete;
  ResourceModuleScope& operator=(const ResourceModuleScope&) = delete;

 private:
  HMODULE previous;
};

}  // namespace tavir
