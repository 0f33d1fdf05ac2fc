// What the whole add-in module shares (Windows): its file, the count of its
// live objects and of the locks on its class factory, and the guard that
// every entry from the host makes.
#pragma once

#include <string>

#include "platform/win32/ResourceModule.h"

namespace tavir::addin {

// The full path of the module's own file.
std::wstring ModulePath();

// Objects of the module alive now, and locks held through LockServer.
void CountObject(int change);
void CountLock(int change);
// True while an object exists or a lock is held (DllCanUnloadNow).
bool ModuleInUse();

// Made on entry to every method the host calls: the module's own resources
// are current for the call, and whatever was current before comes back when
// it returns.
class ModuleEntry {
 public:
  ModuleEntry() : scope_(OwnModule()) {}

 private:
  ResourceModuleScope scope_;
};

}  // namespace tavir::addin
