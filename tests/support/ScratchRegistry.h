// A settings store that starts empty and is gone after the test: natively a
// registry file in a fresh temporary directory (TAVIR_REGISTRY); on Windows
// the real HKEY_CURRENT_USER\Software\Quelmar\TAVIR, removed before and after.
#pragma once

#include <string>

#include "support/Environment.h"
#include "support/ScratchDirectory.h"

#if defined(_WIN32)
#include "platform/win32/WindowsApi.h"
#endif

namespace tavir::test_support {

class ScratchRegistry {
 public:
#if defined(_WIN32)
  ScratchRegistry() {
    RemoveProgramKey();
  }
  ~ScratchRegistry() {
    RemoveProgramKey();
  }
#else
  ScratchRegistry() = default;
#endif
  ScratchRegistry(const ScratchRegistry&) = delete;
  ScratchRegistry& operator=(const ScratchRegistry&) = delete;

 private:
#if defined(_WIN32)
  static void RemoveProgramKey() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quelmar\\TAVIR");
  }
#else
  // The variable goes before the folder it names.
  ScratchDirectory directory_{"tavir-registry"};
  ScopedEnvironmentVariable variable_{"TAVIR_REGISTRY", directory_.PathOf("registry.reg")};
#endif
};

}  // namespace tavir::test_support
