// The add-in's menu command run by the test host: OnCommand brings up the
// main dialog over the stand-alone datebook, a person exports to every
// format and imports the sample file through the real file dialogs, a host
// failure ends the run with its message, and the German language file beside
// the module makes the dialog German (which versions match: LanguageFileTest).
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "ui/win32/ResourceIds.h"
#include "win/AddInHostFixture.h"
#include "win/DialogDriver.h"
#include "win/FileDialogWindow.h"

namespace tavir::test_support {
namespace {

constexpr const char kEnglishCaption[] = "TAVIR - Calvetra for Palm Desktop";
const std::wstring kSettingsKey = L"Software\\Quelmar\\TAVIR";
constexpr const wchar_t kOfficeKey[] = L"Software\\Microsoft\\Office";

// Runs the command while a second thread drives the main dialog it opens;
// the dialog is closed afterwards when drive left it open.
HRESULT RunCommand(IDesktopCommand* command, const char* caption,
                   const std::function<void(DialogDriver&, HWND)>& drive) {
  return RunDrivenWindow([&] { return command->OnCommand(); }, caption, IDC_MAIN_CLOSE, drive);
}

class AddInCommandTest : public AddInHostTest {
 protected:
  void SetUp() override {
    AddInHostTest::SetUp();
    // The Office key and the spreadsheet stand-in as Excel: the Excel entries are offered.
    HKEY office = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kOfficeKey, 0, nullptr, 0, KEY_WRITE, nullptr, &office,
                    nullptr);
    RegCloseKey(office);
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey.c_str());
  }
  void TearDown() override {
    command_.Reset();
    // The file dialogs made the folder current; a current folder cannot go.
    SetCurrentDirectoryW(folder_.Path().parent_path().c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey.c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kOfficeKey);
    AddInHostTest::TearDown();
  }
  IDesktopCommand* Command() {
    EXPECT_EQ(Initialize(host_.application.Get()), 1);
    command_ = Manager().Commands()[0].command.Query<IDesktopCommand>(kIDesktopCommand);
    return command_.Get();
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
  std::string PathOf(const char* name) const { return folder_.PathOf(name); }

  ExcelServerRegistration excel_;
  ScratchDirectory folder_{"tavir-addin-command"};
  ComPtr<IDesktopCommand> command_;
};

TEST_F(AddInCommandTest, ExportsToEveryFormatAndImportsTheSample) {
  // The simple format: every export type is offered, vCalendar included.
  const DWORD zero = 0;
  RegSetKeyValueW(HKEY_CURRENT_USER, (kSettingsKey + L"\\Options").c_str(), L"fullformat",
                  REG_DWORD, &zero, sizeof zero);
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
          OperateThroughFileDialog(
              driver, main, IDC_MAIN_EXPORT,
              [&](const FileDialogWindow& dialog) {
                dialog.Submit(PathOf(format.name), format.entry);
              },
              [&] { return std::filesystem::exists(PathOf(format.name)); });
        }
        OperateThroughFileDialog(
            driver, main, IDC_MAIN_IMPORT,
            [&](const FileDialogWindow& dialog) {
              dialog.Submit(WideToAnsi(WindowsPath(TAVIR_SAMPLE_CSV)));
            },
            [&] { return host_.data->All().size() > before; });
      });
  EXPECT_EQ(result, S_OK);
  for (const auto& format : exports) {
    const std::string content = ReadFileBytes(PathOf(format.name));
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
  std::string shown;
  const HRESULT result =
      RunCommand(Command(), kEnglishCaption, [&](DialogDriver& driver, HWND main) {
        host_.data->Faults().Add(
            {"get_Note", static_cast<HRESULT>(0x80040201), "refused", 1, true});
        DialogDriver::Post(main, IDC_MAIN_EXPORT);
        FileDialogWindow(driver.WaitForOwned(main, "the save dialog")).Submit(PathOf("failed.csv"));
        shown = driver.AnswerMessage(nullptr);
        EXPECT_FALSE(IsWindow(main) && IsWindowVisible(main)) << "the dialog ended first";
      });
  EXPECT_EQ(result, S_OK);
  EXPECT_EQ(shown, "Error during Import/Export:\nIDispatch error #1");
}

// The add-in from a copy of the module beside the German language file,
// loaded from there rather than through the registration.
TEST(LanguageRuleTest, TheLanguageFileBesideTheModuleMakesTheDialogGerman) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  {
    ScratchDirectory folder("tavir-language");
    const auto module = CopyModuleBesideLanguageFile(folder.Path(), std::nullopt);
    auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(module.c_str()), "DllGetClassObject")));
    ASSERT_TRUE(entry);
    ComPtr<IClassFactory> factory;
    ComPtr<IDesktopAddin> addin;
    ASSERT_EQ(entry(kAddinClassId, IID_IClassFactory, reinterpret_cast<void**>(factory.Receive())),
              S_OK);
    ASSERT_EQ(
        factory->CreateInstance(nullptr, kIDesktopAddin, reinterpret_cast<void**>(addin.Receive())),
        S_OK);
    DesktopHost host;
    HostLong success = 0;
    ASSERT_EQ(addin->OnInitialize(host.application.Get(), 1, 0, 0, &success), S_OK);
    auto& manager = static_cast<DesktopApplication*>(host.application.Get())->CommandManager();
    ComPtr<IDesktopCommand> command =
        manager.Commands().at(0).command.Query<IDesktopCommand>(kIDesktopCommand);
    EXPECT_EQ(RunCommand(command.Get(), "TAVIR - Calvetra f\xfcr Palm Desktop",
                         [&](DialogDriver& driver, HWND main) {
                           wchar_t menu[64] = {};
                           GetMenuStringW(GetMenu(main), 0, menu, 64, MF_BYPOSITION);
                           EXPECT_STREQ(menu, L"&Datei");
                           // The accelerators come from the language file too.
                           SetForegroundWindow(main);
                           PressKeys({VK_CONTROL, 'O'});
                           const HWND options = driver.WaitForOwned(main, "the options dialog");
                           EXPECT_EQ(DialogDriver::Text(options), "Optionen");
                           DialogDriver::Post(options, IDCANCEL);
                           driver.WaitGone(options);
                         }),
              S_OK);
    command.Reset();
    manager.ReleaseCommands();
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey.c_str());
  CoUninitialize();
}

}  // namespace
}  // namespace tavir::test_support
