// What the add-in's Windows tests share: running regsvr32 on the module,
// reading registry keys back, and the stand-alone datebook's add-in list
// registered as the host's DesktopAddinRegistry.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "desktop/server/AddinListStore.h"
#include "host/DesktopInterfaces.h"
#include "host/addin/AddinIds.h"
#include "platform/CodePage.h"
#include "platform/ComPtr.h"
#include "platform/win32/WindowsApi.h"

namespace tavir::test_support {

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

// Every value registration writes under HKEY_CLASSES_ROOT for the module at
// modulePath (the Programmable key has none).
struct ExpectedValue {
  std::wstring key;
  const wchar_t* name;
  std::wstring value;
};

inline std::vector<ExpectedValue> RegistrationTable(const std::wstring& modulePath) {
  const std::wstring classKey = L"CLSID\\" + WideOf(addin::kAddinClassIdText);
  return {
      {L"TAVIRAddIn.TAVIRAddInAddin.1", nullptr, L"TAVIRAddIn Addin Class"},
      {L"TAVIRAddIn.TAVIRAddInAddin", nullptr, L"TAVIRAddIn Addin Class"},
      {L"TAVIRAddIn.TAVIRAddInAddin\\CurVer", nullptr, L"TAVIRAddIn.TAVIRAddInAddin.1"},
      {classKey, nullptr, L"TAVIRAddIn Addin Class"},
      {classKey + L"\\ProgID", nullptr, L"TAVIRAddIn.TAVIRAddInAddin.1"},
      {classKey + L"\\VersionIndependentProgID", nullptr, L"TAVIRAddIn.TAVIRAddInAddin"},
      {classKey + L"\\InprocServer32", nullptr, modulePath},
      {classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {classKey + L"\\TypeLib", nullptr, WideOf(addin::kTypeLibraryIdText)},
  };
}

inline bool SameText(const std::wstring& left, const std::wstring& right) {
  return CompareStringOrdinal(left.c_str(), -1, right.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Reads the table back key by key, the Programmable key too.
inline void ExpectRegistered(const std::wstring& modulePath) {
  for (const ExpectedValue& expected : RegistrationTable(modulePath)) {
    const auto value = ClassesValue(expected.key, expected.name);
    ASSERT_TRUE(value.has_value()) << WideToAnsi(expected.key);
    EXPECT_TRUE(SameText(*value, expected.value))
        << WideToAnsi(expected.key) << ": " << WideToAnsi(*value);
  }
  EXPECT_TRUE(ClassesKeyExists(L"CLSID\\" + WideOf(addin::kAddinClassIdText) + L"\\Programmable"));
}

// The module's type library as registered; empty when it is not.
inline ComPtr<ITypeLib> RegisteredTypeLibrary() {
  ComPtr<ITypeLib> library;
  if (FAILED(LoadRegTypeLib(addin::kTypeLibraryId, 1, 0, 0, library.Receive())))
    library.Detach();
  return library;
}

inline void ExpectUnregistered() {
  for (const ExpectedValue& expected : RegistrationTable(L""))
    EXPECT_FALSE(ClassesKeyExists(expected.key)) << WideToAnsi(expected.key);
  EXPECT_FALSE(RegisteredTypeLibrary());
}

// Whether the stand-alone datebook's stored add-in list names the add-in.
inline bool ListedInHostList() {
  for (const AddinListEntry& entry : LoadAddinList())
    if (SameText(entry.classId, WideOf(addin::kAddinClassIdText)))
      return true;
  return false;
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

}  // namespace tavir::test_support
