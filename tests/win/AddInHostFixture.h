// The test host's fixture: the module registered with regsvr32 (the host's
// add-in list included), the add-in found in that list and created through
// COM, and the stand-alone datebook as the host.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "desktop/Desktop.h"
#include "desktop/DesktopApplication.h"
#include "host/addin/AddinIds.h"
#include "host/addin/AddinInterfaces.h"
#include "support/DesktopHost.h"
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

}  // namespace tavir::test_support
