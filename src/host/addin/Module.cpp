// The module's file and its object and lock counts (Windows).
#include "host/addin/Module.h"

#include <atomic>

#include "ui/win32/ModuleFile.h"

namespace tavir::addin {
namespace {
std::atomic<int> objects{0};
std::atomic<int> locks{0};
}  // namespace

std::wstring ModulePath() {
  return ModuleFilePath(OwnModule());
}

void CountObject(int change) {
  objects += change;
}
void CountLock(int change) {
  locks += change;
}
bool ModuleInUse() {
  return objects > 0 || locks > 0;
}

}  // namespace tavir::addin
