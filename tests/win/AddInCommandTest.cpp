// The add-in's menu command run by the test host: OnCommand brings up the
// main dialog over the stand-alone datebook, a person exports to every
// format and imports the sample file through the real file dialogs, host
// failures end the run with their message, and the German language file
// beside the module is used only when its version matches.
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "spreadsheet/server/ServerIds.h"
#include "ui/win32/ResourceIds.h"
#include "win/AddInHostFixture.h"
#include "win/DialogDriver.h"
#include "win/FileDialogWindow.h"

namespace tavir::test_support {
namespace {

constexpr const char kEnglishCaption[] = "TAVIR - Calvetra for Palm Desktop";
constexpr const char kGermanCaption[] = "TAVIR - Calvetra f\xfcr Palm Desktop";
const std::wstring kSettingsKey = L"Software\\Quelmar\\TAVIR";
constexpr const wchar_t kOfficeKey[] = L"Software\\Microsoft\\Office";

void SetClassesValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Runs the command while a second thread drives what it opens; the main
// dialog is closed afterwards when drive left it open.
HRESULT RunCommand(IDesktopCommand* command, const char* caption,
                   const std::function<void(DialogDriver&, HWND)>& drive) {
  return RunDriven([&] { return command->OnCommand(); },
                   [&](DialogDriver& driver) {
                     const HWND main = driver.WaitForCaption(caption);
                     drive(driver, main);
                     if (IsWindow(main) && IsWindowVisible(main)) {
                       DialogDriver::Post(main, IDC_MAIN_CLOSE);
                       driver.WaitGone(main);
                     }
                   });
}

class AddInCommandTest : public AddInHostTest {
 protected:
  void SetUp() override {
    AddInHostTest::SetUp();
    // The spreadsheet stand-in as Excel, so that the Excel entries are offered.
    const std::wstring classKey = std::wstring(L"CLSID\\") + spreadsheet::kStandInClassIdText;
    const std::wstring server = WindowsPath(TAVIR_SPREADSHEET_SERVER);
    SetClassesValue(L"Excel.Application\\CLSID", nullptr, spreadsheet::kStandInClassIdText);
    SetClassesValue(classKey + L"\\InprocServer32", nullptr, server);
    SetClassesValue(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    HKEY office = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kOfficeKey, 0, nullptr, 0, KEY_WRITE, nullptr, &office,
                    nullptr);
    RegCloseKey(office);
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey.c_str());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    command_.Reset();
    // The file dialogs made the folder current; a current folder cannot go.
    SetCurrentDirectoryW(folder_.parent_path().c_str());
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey.c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Excel.Application");
    RegDeleteTreeW(HKEY_CLASSES_ROOT,
                   (std::wstring(L"CLSID\\") + spreadsheet::kStandInClassIdText).c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kOfficeKey);
    AddInHostTest::TearDown();
  }
  IDesktopCommand* Command() {
    EXPECT_EQ(Initialize(host_.application.Get()), 1);
    command_ = Manager().Commands()[0].command.Query<IDesktopCommand>(kIDesktopCommand);
    return command_.Get();
  }
  // The simple format: every export type is offered, vCalendar included.
  static void UseSimpleFormat() {
    const DWORD zero = 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, (kSettingsKey + L"\\Options").c_str(), L"fullformat",
                    REG_DWORD, &zero, sizeof zero);
  }
  void AddToday(const char* text) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    AppointmentData appointment;
    appointment.start = BuildLocal(now.wYear, now.wMonth, now.wDay, 12, 0, 0);
    appointment.end = appointment.start + 1800;
    appointment.description = AnsiToWide(text);
    host_.data->Add(std::move(appointment));
  }
  // Export or Import through the file dialog the command opens.
  static void Operate(DialogDriver& driver, HWND main, int command, const char* entry,
                      const std::string& path, const std::function<bool()>& done) {
    DialogDriver::Post(main, command);
    const FileDialogWindow dialog(driver.WaitForOwned(main, "the file dialog"));
    if (entry)
      dialog.Choose(entry);
    dialog.Type(path);
    dialog.Accept();
    driver.WaitGone(dialog.Window());
    driver.WaitUntil(done, path);
    driver.WaitUntil([&] { return !IsWindowVisible(GetDlgItem(main, IDC_MAIN_PROGRESS)); },
                     "the end of the operation");
  }
  std::string PathOf(const char* name) const { return WideToAnsi((folder_ / name).wstring()); }

  std::filesystem::path folder_ = std::filesystem::temp_directory_path() / "tavir-addin-command";
  ComPtr<IDesktopCommand> command_;
};

TEST_F(AddInCommandTest, ExportsToEveryFormatAndImportsTheSample) {
  UseSimpleFormat();
  AddToday("Dentist");
  const struct {
    const char* entry;
    const char* name;
    const char* starts;
    bool text;  // the appointment's text readable in the bytes
  } exports[] = {
      {"Comma Separated Values (*.csv)", "dates.csv", "\"Date\",\"Untimed\"", true},
      {"vCalendar (*.vcs)", "dates.vcs", "BEGIN:VCALENDAR\r\nVERSION:1.0", true},
      {"iCalendar (*.ics)", "dates.ics", "BEGIN:VCALENDAR\r\n", true},
      {"MS Excel 97/2000 (*.xls)", "dates.xls", "\xD0\xCF\x11\xE0", false},
  };
  const std::size_t before = host_.data->All().size();
  const HRESULT result =
      RunCommand(Command(), kEnglishCaption, [&](DialogDriver& driver, HWND main) {
        for (const auto& format : exports) {
          Operate(driver, main, IDC_MAIN_EXPORT, format.entry, PathOf(format.name),
                  [&] { return std::filesystem::exists(folder_ / format.name); });
        }
        Operate(driver, main, IDC_MAIN_IMPORT, nullptr, WideToAnsi(WindowsPath(TAVIR_SAMPLE_CSV)),
                [&] { return host_.data->All().size() > before; });
      });
  EXPECT_EQ(result, S_OK);
  for (const auto& format : exports) {
    const std::string content = ReadBytes(folder_ / format.name);
    EXPECT_EQ(content.rfind(format.starts, 0), 0u) << format.name;
    if (format.text) {
      EXPECT_NE(content.find("Dentist"), std::string::npos) << format.name;
    }
  }
  // The sample's 50 records joined the one appointment of today.
  EXPECT_EQ(host_.data->All().size(), before + 50);
  bool brunch = false;
  for (const auto& [id, appointment] : host_.data->All())
    brunch = brunch || appointment->description == L"Sunday brunch";
  EXPECT_TRUE(brunch);
  // The dialog ended with Close: the options were saved.
  wchar_t lastfile[512] = {};
  DWORD bytes = sizeof lastfile;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, (kSettingsKey + L"\\Options").c_str(), L"lastfile",
                         RRF_RT_REG_SZ, nullptr, lastfile, &bytes),
            ERROR_SUCCESS);
}

TEST_F(AddInCommandTest, HostFailureDuringAnExportEndsTheRunWithItsText) {
  AddToday("Dentist");
  const struct {
    HRESULT error;
    const char* text;
  } failures[] = {
      {static_cast<HRESULT>(0x80040201), "Error during Import/Export:\nIDispatch error #1"},
      {static_cast<HRESULT>(0x80FF1234), "Error during Import/Export:\nUnknown error 0x80FF1234"},
  };
  IDesktopCommand* command = Command();
  for (const auto& failure : failures) {
    std::string shown;
    const HRESULT result =
        RunCommand(command, kEnglishCaption, [&](DialogDriver& driver, HWND main) {
          host_.data->Faults().Add({"get_Note", failure.error, "refused", 1, true});
          DialogDriver::Post(main, IDC_MAIN_EXPORT);
          const FileDialogWindow dialog(driver.WaitForOwned(main, "the save dialog"));
          dialog.Type(PathOf("failed.csv"));
          dialog.Accept();
          const HWND box = driver.WaitFor(
              [](HWND window) { return GetDlgItem(window, 0xFFFF) != nullptr; }, "the message box");
          shown = DialogDriver::ItemText(box, 0xFFFF);
          EXPECT_FALSE(IsWindow(main) && IsWindowVisible(main)) << "the dialog ended first";
          PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
          driver.WaitGone(box);
        });
    host_.data->Faults().Clear();
    EXPECT_EQ(result, S_OK) << failure.text;
    EXPECT_EQ(shown, failure.text);
  }
}

// The language rule, with copies of both modules in a folder of their own:
// the module is loaded from there, not through the registration.
class LanguageRuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey.c_str());
    CoUninitialize();
  }
  // The add-in from a copy of the module beside a copy of the language file
  // whose build number is raised by buildChange.
  static ComPtr<IDesktopAddin> AddinBesideLanguageFile(const std::filesystem::path& folder,
                                                       int buildChange) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(WindowsPath(TAVIR_ADDIN_DLL), folder / "TAVIRAddIn.dll");
    std::string bytes = ReadBytes(WindowsPath(TAVIR_LANGUAGE_DLL));
    const std::size_t fixed = bytes.find(std::string("\xBD\x04\xEF\xFE", 4));
    bytes[fixed + 14] = static_cast<char>(bytes[fixed + 14] + buildChange);
    std::ofstream(folder / "TAVIRLangDE.dll", std::ios::binary) << bytes;
    const HMODULE module = LoadLibraryW((folder / "TAVIRAddIn.dll").c_str());
    auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    ComPtr<IClassFactory> factory;
    ComPtr<IDesktopAddin> addin;
    if (entry && SUCCEEDED(entry(kAddinClassId, IID_IClassFactory,
                                 reinterpret_cast<void**>(factory.Receive()))))
      factory->CreateInstance(nullptr, kIDesktopAddin, reinterpret_cast<void**>(addin.Receive()));
    return addin;
  }
};

std::string FirstMenu(HWND window) {
  wchar_t text[64] = {};
  GetMenuStringW(GetMenu(window), 0, text, 64, MF_BYPOSITION);
  return WideToAnsi(text);
}

TEST_F(LanguageRuleTest, GermanOnlyWhenTheFirstThreeVersionPartsMatch) {
  const auto root = std::filesystem::temp_directory_path() / "tavir-language";
  const struct {
    int buildChange;
    const char* caption;
    const char* menu;
    const char* options;  // Ctrl+O still opens them
  } cases[] = {{0, kGermanCaption, "&Datei", "Optionen"}, {1, kEnglishCaption, "&File", "Options"}};
  int run = 0;
  for (const auto& rule : cases) {
    DesktopHost host;
    ComPtr<IDesktopAddin> addin =
        AddinBesideLanguageFile(root / std::to_string(run++), rule.buildChange);
    ASSERT_TRUE(addin);
    HostLong success = 0;
    ASSERT_EQ(addin->OnInitialize(host.application.Get(), 1, 0, 0, &success), S_OK);
    auto& manager = static_cast<DesktopApplication*>(host.application.Get())->CommandManager();
    ComPtr<IDesktopCommand> command =
        manager.Commands().at(0).command.Query<IDesktopCommand>(kIDesktopCommand);
    EXPECT_EQ(RunCommand(command.Get(), rule.caption,
                         [&](DialogDriver& driver, HWND main) {
                           EXPECT_EQ(FirstMenu(main), rule.menu);
                           SetForegroundWindow(main);
                           DialogDriver::Keys({VK_CONTROL, 'O'});
                           const HWND options = driver.WaitForOwned(main, "the options dialog");
                           EXPECT_EQ(DialogDriver::Text(options), rule.options);
                           DialogDriver::Post(options, IDCANCEL);
                           driver.WaitGone(options);
                         }),
              S_OK);
    command.Reset();
    manager.ReleaseCommands();
  }
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
}

}  // namespace
}  // namespace tavir::test_support
