// The test host's fixture: the module registered with regsvr32 (the host's
// add-in list included), the add-in found in that list and created through
// COM, and the stand-alone datebook as the host. Beside it, what else the
// add-in's tests set up: the spreadsheet stand-in's server registered as
// Excel, and copies of the module beside a language file.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "desktop/Desktop.h"
#include "desktop/DesktopApplication.h"
#include "host/addin/AddinIds.h"
#include "host/addin/AddinInterfaces.h"
#include "spreadsheet/server/ServerIds.h"
#include "support/DesktopHost.h"
#include "support/ScratchDirectory.h"
#include "win/AddinSetUp.h"

namespace tavir::test_support {

using namespace tavir::addin;

class AddInHostTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    HostListRegistration::Register();
    ASSERT_EQ(Regsvr32(L"/s", TAVIR_ADDIN_DLL), 0);
  }
  static void TearDownTestSuite() {
    Regsvr32(L"/u /s", TAVIR_ADDIN_DLL);
    HostListRegistration::Unregister();
    RegDeleteTreeW(HKEY_CURRENT_USER, kAddinListKey);
  }
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    addin_ = CreateFromHostList();
    ASSERT_TRUE(addin_);
  }
  void TearDown() override {
    addin_.Reset();
    Manager().ReleaseCommands();
    host_.application.Reset();
    EXPECT_EQ(LiveDesktopObjects(), 0);
    EXPECT_EQ(CanUnloadNow(), S_OK) << "an object of the module is still alive";
    CoUninitialize();
  }

  // The host's way in: the class id of the entry named as ours, then COM.
  static ComPtr<IDesktopAddin> CreateFromHostList() {
    const auto entries = LoadAddinList();
    const auto ours = std::find_if(entries.begin(), entries.end(), [](const AddinListEntry& entry) {
      return entry.name == L"TAVIRAddIn Addin";
    });
    if (ours == entries.end())
      return {};
    CLSID classId{};
    if (FAILED(CLSIDFromString(ours->classId.c_str(), &classId)))
      return {};
    ComPtr<IDesktopAddin> addin;
    if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, kIDesktopAddin,
                                reinterpret_cast<void**>(addin.Receive()))))
      addin.Detach();
    return addin;
  }
  static HMODULE Module() { return GetModuleHandleW(WindowsPath(TAVIR_ADDIN_DLL).c_str()); }
  static HRESULT CanUnloadNow() {
    auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(Module(), "DllCanUnloadNow")));
    return entry ? entry() : E_UNEXPECTED;
  }
  DesktopCommandManager& Manager() {
    return static_cast<DesktopApplication*>(host_.application.Get())->CommandManager();
  }
  HostLong Initialize(IDispatch* host) {
    HostLong success = -1;
    EXPECT_EQ(addin_->OnInitialize(host, 77, 0, 0, &success), S_OK);
    return success;
  }

  DesktopHost host_;
  ComPtr<IDesktopAddin> addin_;
};

inline bool SetClassesValue(const std::wstring& key, const wchar_t* name,
                            const std::wstring& value) {
  return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

// The spreadsheet stand-in's server DLL as "Excel.Application", loaded by
// COM as Excel would be started.
class ExcelServerRegistration {
 public:
  ExcelServerRegistration()
      : classKey_(std::wstring(L"CLSID\\") + spreadsheet::kStandInClassIdText) {
    EXPECT_TRUE(
        SetClassesValue(L"Excel.Application\\CLSID", nullptr, spreadsheet::kStandInClassIdText));
    EXPECT_TRUE(SetClassesValue(classKey_ + L"\\InprocServer32", nullptr,
                                WindowsPath(TAVIR_SPREADSHEET_SERVER)));
    EXPECT_TRUE(SetClassesValue(classKey_ + L"\\InprocServer32", L"ThreadingModel", L"Apartment"));
  }
  ~ExcelServerRegistration() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Excel.Application");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, classKey_.c_str());
  }
  ExcelServerRegistration(const ExcelServerRegistration&) = delete;
  ExcelServerRegistration& operator=(const ExcelServerRegistration&) = delete;

 private:
  std::wstring classKey_;
};

// Copies the add-in module into folder, beside a copy of the German language
// file unless withLanguageFile is false; raisedPart (0 revision, 1 build,
// 2 minor, 3 major) raises that part of the copy's file version by one.
// Returns the module's path.
inline std::filesystem::path CopyModuleBesideLanguageFile(const std::filesystem::path& folder,
                                                          std::optional<int> raisedPart,
                                                          bool withLanguageFile = true) {
  std::filesystem::create_directories(folder);
  const auto module = folder / "TAVIRAddIn.dll";
  std::filesystem::copy_file(WindowsPath(TAVIR_ADDIN_DLL), module,
                             std::filesystem::copy_options::overwrite_existing);
  if (!withLanguageFile)
    return module;
  std::string bytes =
      ReadFileBytes(std::filesystem::path(WindowsPath(TAVIR_LANGUAGE_DLL)).string());
  if (raisedPart) {
    const std::size_t fixed = bytes.find(std::string("\xBD\x04\xEF\xFE", 4));
    EXPECT_NE(fixed, std::string::npos) << "no VS_FIXEDFILEINFO";
    // After signature and structure version: FileVersionMS (minor, major),
    // FileVersionLS (revision, build), low half first.
    const std::size_t half[] = {fixed + 12, fixed + 14, fixed + 8, fixed + 10};
    bytes[half[*raisedPart]] = static_cast<char>(bytes[half[*raisedPart]] + 1);
  }
  std::ofstream(folder / "TAVIRLangDE.dll", std::ios::binary) << bytes;
  return module;
}

}  // namespace tavir::test_support
