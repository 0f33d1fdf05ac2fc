// A settings store that starts empty and is gone after the test: natively a
// registry file in a fresh temporary directory (TAVIR_REGISTRY); on Windows
// the real HKEY_CURRENT_USER\Software\Quelmar\TAVIR, removed before and after.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "support/Environment.h"

#if defined(_WIN32)
#include "platform/win32/WindowsApi.h"
#else
#include <stdlib.h>
#endif

namespace tavir::test_support {

class ScratchRegistry {
 public:
  ScratchRegistry() {
#if defined(_WIN32)
    RemoveProgramKey();
#else
    std::string pattern = (std::filesystem::temp_directory_path() / "tavir-registry-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    directory_ = pattern;
    variable_.emplace("TAVIR_REGISTRY", (directory_ / "registry.reg").string());
#endif
  }
  ~ScratchRegistry() {
#if defined(_WIN32)
    RemoveProgramKey();
#else
    variable_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
#endif
  }
  ScratchRegistry(const ScratchRegistry&) = delete;
  ScratchRegistry& operator=(const ScratchRegistry&) = delete;

 private:
#if defined(_WIN32)
  static void RemoveProgramKey() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quelmar\\TAVIR"); }
#else
  std::filesystem::path directory_;
  std::optional<ScopedEnvironmentVariable> variable_;
#endif
};

}  // namespace tavir::test_support
