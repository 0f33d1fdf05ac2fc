// The main dialog over the stand-alone datebook, with the Windows shell (real
// message boxes), a scratch registry and a scratch folder, run modally while
// a second thread drives it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "desktop/Desktop.h"
#include "model/Options.h"
#include "model/Strings.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"
#include "platform/win32/WindowsShell.h"
#include "support/FakeShell.h"
#include "support/ScratchDirectory.h"
#include "support/ScratchRegistry.h"
#include "ui/win32/FileDialogs.h"
#include "ui/win32/MainDialog.h"
#include "ui/win32/ResourceIds.h"
#include "win/DialogDriver.h"

namespace tavir::test_support {

inline constexpr const char kMainCaption[] = "TAVIR - Calvetra for Palm Desktop";

// Answers the file dialogs in their place with a path and a chosen entry,
// and keeps what each was given.
class FileDialogAnswer : public FileDialogSystem {
 public:
  FileDialogAnswer(std::string path, DWORD entry) : path_(AnsiToWide(path)), entry_(entry) {}

  struct Given {
    HWND owner;
    std::wstring filter;  // up to its closing double NUL
    DWORD entry;
    DWORD flags;
    std::wstring customFilter;  // description, NUL, pattern
    DWORD customLength;
    std::wstring file;
  };
  std::vector<Given> given;

  bool ShowOpen(OPENFILENAMEW& dialog) override { return Answer(dialog); }
  bool ShowSave(OPENFILENAMEW& dialog) override { return Answer(dialog); }

 private:
  bool Answer(OPENFILENAMEW& dialog) {
    Given seen{dialog.hwndOwner, {}, dialog.nFilterIndex, dialog.Flags, {}, dialog.nMaxCustFilter,
               dialog.lpstrFile};
    for (const wchar_t* p = dialog.lpstrFilter; *p != L'\0'; p += wcslen(p) + 1)
      seen.filter.append(p).push_back(L'|');
    if (dialog.lpstrCustomFilter != nullptr) {
      seen.customFilter = dialog.lpstrCustomFilter;
      seen.customFilter.push_back(L'|');
      seen.customFilter += dialog.lpstrCustomFilter + wcslen(dialog.lpstrCustomFilter) + 1;
    }
    given.push_back(seen);
    wcscpy(dialog.lpstrFile, path_.c_str());
    dialog.nFilterIndex = entry_;
    return true;
  }

  std::wstring path_;
  DWORD entry_;
};

class MainDialogFixture : public ::testing::Test {
 protected:
  ScratchRegistry registry_;
  WindowsShell shell_{LoadText(text::ProgramCaption)};
  InstalledShell installed_{shell_};
  std::shared_ptr<DatebookData> data_ = std::make_shared<DatebookData>(AnsiToWide("Test User"));
  Options options_;
  ScratchDirectory scratch_{"tavir-main-dialog"};

  void SetUp() override { options_.host = ComPtr<IUnknown>(CreateDesktopApplication(data_).Get()); }
  void TearDown() override { options_.host.Reset(); }
  std::string PathOf(const std::string& name) const { return scratch_.PathOf(name); }
  static std::string ReadFile(const std::string& path) { return ReadFileBytes(path); }

  // An appointment today at the hour (inside the default export span).
  void AddToday(const std::string& text, int hour = 12) {
    const LocalFields today = SplitLocal(CurrentTime());
    AppointmentData appointment;
    appointment.start = BuildLocal(today.year, today.month, today.day, hour, 0, 0);
    appointment.end = appointment.start + 1800;
    appointment.description = AnsiToWide(text);
    data_->Add(std::move(appointment));
  }
  int Appointments() const {
    int active = 0;
    for (const auto& [id, appointment] : data_->All())
      active += data_->FindActive(id) ? 1 : 0;
    return active;
  }

  // Runs the dialog while drive works it; the dialog is cancelled afterwards
  // if drive left it open.
  INT_PTR Run(const std::function<void(DialogDriver&, HWND)>& drive,
              MainDialogSystems systems = {}) {
    CTAVIRDlg dialog(options_, systems);
    return RunDrivenWindow([&] { return dialog.Run(); }, kMainCaption, IDCANCEL, drive);
  }

  static std::string CountLine(HWND main) {
    return DialogDriver::ItemText(main, IDC_MAIN_COUNT_LINE);
  }

  // Waits for the dialog that main opened: owned by it, main disabled.
  static HWND Opened(DialogDriver& driver, HWND main, const std::string& what) {
    const HWND opened = driver.WaitForOwned(main, what);
    EXPECT_FALSE(IsWindowEnabled(main)) << what;
    return opened;
  }
};

}  // namespace tavir::test_support
