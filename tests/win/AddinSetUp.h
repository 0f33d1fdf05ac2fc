// What the add-in's Windows tests share: running regsvr32 on the module,
// reading registry keys back, and the stand-alone datebook's add-in list
// registered as the host's DesktopAddinRegistry.
#pragma once

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "desktop/server/AddinListStore.h"
#include "host/DesktopInterfaces.h"
#include "platform/win32/WindowsApi.h"

namespace tavir::testing {

inline std::wstring WideOf(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

// A Windows path with backslashes, as modules see their own file.
inline std::wstring WindowsPath(const char* path) {
  std::wstring wide = WideOf(path);
  for (wchar_t& c : wide)
    if (c == L'/')
      c = L'\\';
  return wide;
}

// Runs a program with arguments and answers its exit code (-1: not started).
inline long RunProgram(const std::wstring& commandLine) {
  std::wstring line = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<long>(code);
}

inline long Regsvr32(const std::wstring& options, const char* module) {
  return RunProgram(L"regsvr32.exe " + options + L" \"" + WindowsPath(module) + L"\"");
}

// A value under HKEY_CLASSES_ROOT (name nullptr: the default value); nothing
// when the key or value is missing.
inline std::optional<std::wstring> ClassesValue(const std::wstring& key, const wchar_t* name) {
  wchar_t buffer[1024];
  DWORD bytes = sizeof buffer;
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &bytes) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(buffer);
}

inline bool ClassesKeyExists(const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return false;
  RegCloseKey(handle);
  return true;
}

// The host's add-in list class, served by the stand-alone datebook's DLL.
class HostListRegistration {
 public:
  static std::wstring ClassKey() { return L"CLSID\\{BE44897A-EB38-11D5-823F-00C04FA03755}"; }
  static void Register() {
    const std::wstring key = ClassKey() + L"\\InprocServer32";
    const std::wstring path = WindowsPath(TAVIR_DESKTOP_SERVER);
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, path.c_str(),
                              static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t))));
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), L"ThreadingModel",
                                             REG_SZ, L"Apartment", sizeof L"Apartment"));
  }
  static void Unregister() { RegDeleteTreeW(HKEY_CLASSES_ROOT, ClassKey().c_str()); }
};

}  // namespace tavir::testing
