// The installer of the shipped build, run silently: it installs the three
// files, registers the module (the same keys regsvr32 writes, the host's
// list included), and its uninstaller, run in place so that it returns only
// when done, leaves nothing but itself, which cannot delete its own file.
#include <filesystem>

#include <gtest/gtest.h>

#include "support/ScratchDirectory.h"
#include "win/AddinSetUp.h"

namespace tavir::test_support {
namespace {

TEST(InstallerTest, InstallsRegistersAndUninstallsWithoutRemains) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  HostListRegistration::Register();
  const ScratchDirectory scratch("tavir installer");  // a blank in the name, as in Program Files
  const std::filesystem::path folder = scratch.Path() / "TAVIR";

  ASSERT_EQ(RunProgram(L"\"" + WindowsPath(TAVIR_INSTALLER) + L"\" /S /D=" + folder.wstring()), 0);
  for (const wchar_t* file :
       {L"TAVIRAddIn.dll", L"TAVIRLangDE.dll", L"TAVIRAddIn.htm", L"Uninstall.exe"})
    EXPECT_TRUE(std::filesystem::exists(folder / file)) << WideToAnsi(file);
  ExpectRegistered((folder / L"TAVIRAddIn.dll").wstring());
  EXPECT_TRUE(RegisteredTypeLibrary());
  EXPECT_TRUE(ListedInHostList());

  const std::wstring uninstaller = (folder / L"Uninstall.exe").wstring();
  ASSERT_EQ(RunProgram(L"\"" + uninstaller + L"\" /S _?=" + folder.wstring()), 0);
  ExpectUnregistered();
  EXPECT_FALSE(ListedInHostList());
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                          L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TAVIRAddIn", 0,
                          KEY_READ, &key),
            ERROR_SUCCESS);
  std::vector<std::wstring> remains;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    remains.push_back(entry.path().filename().wstring());
  EXPECT_EQ(remains, std::vector<std::wstring>{L"Uninstall.exe"});

  HostListRegistration::Unregister();
  RegDeleteTreeW(HKEY_CURRENT_USER, kAddinListKey);
  CoUninitialize();
}

}  // namespace
}  // namespace tavir::test_support
