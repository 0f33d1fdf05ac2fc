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

namespace tavir::testing {
namespace {

using namespace tavir::addin;

struct ExpectedValue {
  std::wstring key;
  const wchar_t* name;
  std::wstring value;
};

std::vector<ExpectedValue> RegistrationTable() {
  const std::wstring classKey = L"CLSID\\" + WideOf(kAddinClassIdText);
  return {
      {L"TAVIRAddIn.TAVIRAddInAddin.1", nullptr, L"TAVIRAddIn Addin Class"},
      {L"TAVIRAddIn.TAVIRAddInAddin", nullptr, L"TAVIRAddIn Addin Class"},
      {L"TAVIRAddIn.TAVIRAddInAddin\\CurVer", nullptr, L"TAVIRAddIn.TAVIRAddInAddin.1"},
      {classKey, nullptr, L"TAVIRAddIn Addin Class"},
      {classKey + L"\\ProgID", nullptr, L"TAVIRAddIn.TAVIRAddInAddin.1"},
      {classKey + L"\\VersionIndependentProgID", nullptr, L"TAVIRAddIn.TAVIRAddInAddin"},
      {classKey + L"\\InprocServer32", nullptr, WindowsPath(TAVIR_ADDIN_DLL)},
      {classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {classKey + L"\\TypeLib", nullptr, WideOf(kTypeLibraryIdText)},
  };
}

bool SameText(std::wstring left, std::wstring right) {
  return CompareStringOrdinal(left.c_str(), -1, right.c_str(), -1, TRUE) == CSTR_EQUAL;
}

ComPtr<ITypeLib> RegisteredTypeLibrary() {
  ComPtr<ITypeLib> library;
  if (FAILED(LoadRegTypeLib(kTypeLibraryId, 1, 0, 0, library.Receive())))
    library.Detach();
  return library;
}

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
  static bool Listed() {
    const auto entries = LoadAddinList();
    return std::any_of(entries.begin(), entries.end(), [](const AddinListEntry& entry) {
      return SameText(entry.classId, WideOf(kAddinClassIdText));
    });
  }
};

TEST_F(AddinRegistrationTest, RegisterWritesEveryKeyTheTypeLibraryAndTheHostEntry) {
  ASSERT_EQ(Regsvr32(L"/s", TAVIR_ADDIN_DLL), 0);
  for (const ExpectedValue& expected : RegistrationTable()) {
    const auto value = ClassesValue(expected.key, expected.name);
    ASSERT_TRUE(value.has_value()) << WideToAnsi(expected.key);
    EXPECT_TRUE(SameText(*value, expected.value))
        << WideToAnsi(expected.key) << ": " << WideToAnsi(*value);
  }
  EXPECT_TRUE(ClassesKeyExists(L"CLSID\\" + WideOf(kAddinClassIdText) + L"\\Programmable"));

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
    for (const ExpectedValue& expected : RegistrationTable())
      EXPECT_FALSE(ClassesKeyExists(expected.key)) << WideToAnsi(expected.key);
    EXPECT_FALSE(RegisteredTypeLibrary());
    EXPECT_EQ(Listed(), !hostInstalled) << "only a reachable host list loses the entry";
  }
  // Registering without the host still succeeds.
  EXPECT_EQ(Regsvr32(L"/s", TAVIR_ADDIN_DLL), 0);
  EXPECT_TRUE(ClassesValue(L"CLSID\\" + WideOf(kAddinClassIdText), nullptr).has_value());
}

}  // namespace
}  // namespace tavir::testing
