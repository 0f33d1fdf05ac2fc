// regsvr32 on the add-in module in this prefix: every key of the class, the
// type library, the entry in the host's add-in list, and all of it gone
// again after /u, with or without the host installed.
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "host/addin/AddinIds.h"
#include "platform/CodePage.h"
#include "platform/ComOwners.h"
#include "platform/ComPtr.h"
#include "win/AddinSetUp.h"

namespace tavir::test_support {
namespace {

using namespace tavir::addin;

class AddinRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    HostListRegistration::Register();
    // Another add-in first, then a stale entry of ours under an old name.
    AddinList list;
    list.entries = {{WideOf("{11111111-2222-3333-4444-555555555555}"), L"Other Addin"},
                    {WideOf(kAddinClassIdText), L"Old name"}};
    StoreAddinList(list);
  }
  void TearDown() override {
    Regsvr32(L"/u /s", TAVIR_ADDIN_DLL);
    HostListRegistration::Unregister();
    RegDeleteTreeW(HKEY_CURRENT_USER, kAddinListKey);
    CoUninitialize();
  }
};

TEST_F(AddinRegistrationTest, RegisterWritesEveryKeyTheTypeLibraryAndTheHostEntry) {
  ASSERT_EQ(Regsvr32(L"/s", TAVIR_ADDIN_DLL), 0);
  ExpectRegistered(WindowsPath(TAVIR_ADDIN_DLL));

  ComPtr<ITypeLib> library = RegisteredTypeLibrary();
  ASSERT_TRUE(library);
  Bstr name;
  Bstr help;
  ASSERT_EQ(library->GetDocumentation(-1, name.Receive(), help.Receive(), nullptr, nullptr), S_OK);
  EXPECT_EQ(name.ToAnsi(), "TAVIRAddInAddinLib");
  EXPECT_EQ(help.ToAnsi(), "TAVIRAddIn Palm Desktop Addin 1.0 Type Library");
  for (const GUID& id : {kAddinClassId, kCommandClassId, kIDesktopAddin, kIDesktopCommand}) {
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(library->GetTypeInfoOfGuid(id, info.Receive()), S_OK);
  }

  // The stale entry was removed and the add-in entered after the other one.
  const auto entries = LoadAddinList();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, L"Other Addin");
  EXPECT_TRUE(SameText(entries[1].classId, WideOf(kAddinClassIdText)));
  EXPECT_EQ(entries[1].name, L"TAVIRAddIn Addin");
}

TEST_F(AddinRegistrationTest, UnregisterRemovesEverythingWithOrWithoutTheHost) {
  for (const bool hostInstalled : {true, false}) {
    ASSERT_EQ(Regsvr32(L"/s", TAVIR_ADDIN_DLL), 0);
    if (!hostInstalled)
      HostListRegistration::Unregister();
    EXPECT_EQ(Regsvr32(L"/u /s", TAVIR_ADDIN_DLL), 0) << hostInstalled;
    ExpectUnregistered();
    EXPECT_EQ(ListedInHostList(), !hostInstalled) << "only a reachable host list loses the entry";
  }
  // Registering without the host still succeeds.
  EXPECT_EQ(Regsvr32(L"/s", TAVIR_ADDIN_DLL), 0);
  EXPECT_TRUE(ClassesValue(L"CLSID\\" + WideOf(kAddinClassIdText), nullptr).has_value());
}

}  // namespace
}  // namespace tavir::test_support
