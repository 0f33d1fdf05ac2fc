// Windows: the current resource module.
#include "platform/win32/ResourceModule.h"

namespace tavir {
namespace {
HMODULE currentResourceModule = nullptr;
}  // namespace

HMODULE OwnModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&OwnModule), &module);
  return module;
}

HMODULE ResourceModule() {
  return currentResourceModule != nullptr ? currentResourceModule : OwnModule();
}

void SetResourceModule(HMODULE module) {
  currentResourceModule = module;
}

ResourceModuleScope::ResourceModuleScope(HMODULE module) : previous(currentResourceModule) {
  currentResourceModule = module;
}

ResourceModuleScope::~ResourceModuleScope() {
  currentResourceModule = previous;
}

}  // namespace tavir
