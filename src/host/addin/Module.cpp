// The module's file and its object and lock counts (Windows).
#include "host/addin/Module.h"

#include <atomic>

namespace tavir::addin {
namespace {
std::atomic<int> objects{0};
std::atomic<int> locks{0};
}  // namespace

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(OwnModule(), path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
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
