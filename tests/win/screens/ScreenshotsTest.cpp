// Pictures of the dialogs as Wine draws them, for a person to look at:
// scripts/screenshots.sh runs this program in the classic look and with
// Wine's own visual theme (TAVIR_SCREENSHOT_THEME names the .msstyles file)
// and turns the BMP files it writes (into TAVIR_SCREENSHOT_DIR, default
// %TEMP%\tavir-screens) into PNGs. Each test also checks that something was drawn.
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "desktop/DatebookData.h"
#include "platform/CodePage.h"
#include "platform/LocalTime.h"
#include "platform/win32/ResourceModule.h"
#include "support/ScratchDirectory.h"
#include "ui/win32/ArchiveDialog.h"
#include "ui/win32/IconButton.h"
#include "ui/win32/MainDialog.h"
#include "ui/win32/OptionsDialog.h"
#include "ui/win32/ResourceIds.h"
#include "win/FileDialogWindow.h"
#include "win/support/DialogFixture.h"

namespace tavir::test_support {
namespace {

std::string OutputDirectory() {
  const char* directory = std::getenv("TAVIR_SCREENSHOT_DIR");
  if (directory != nullptr && *directory != '\0') {
    CreateDirectoryA(directory, nullptr);
    return directory;
  }
  // A plain test run leaves nothing behind.
  static const ScratchDirectory scratch("tavir-screens");
  return scratch.Path().string();
}

// Copies the window's screen area into a 24-bit BMP file; returns how many
// different colours it holds.
size_t Capture(HWND window, const std::string& name) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  RECT rect;
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  GdiOwner<HBITMAP> bitmap(CreateCompatibleBitmap(screen, width, height));
  {
    SelectedObject selected(memory, bitmap.Get());
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  }
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  std::vector<unsigned char> pixels(stride * static_cast<size_t>(height));
  GetDIBits(memory, bitmap.Get(), 0, static_cast<UINT>(height), pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
  const std::string path = OutputDirectory() + "/" + name + ".bmp";
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    std::fclose(out);
  }
  std::set<unsigned> colours;
  for (size_t i = 0; i + 2 < pixels.size(); i += 3)
    colours.insert(pixels[i] | pixels[i + 1] << 8 | pixels[i + 2] << 16);
  return colours.size();
}

// The look this run shows: classic, or the theme named by the environment.
std::string Look() {
  static const std::string look = [] {
    const char* theme = std::getenv("TAVIR_SCREENSHOT_THEME");
    if (theme == nullptr || *theme == '\0')
      return std::string("classic");
    // uxtheme's unnamed exports, as a theme control panel uses them:
    // GetThemeDefaults (7), OpenThemeFile (2) and ApplyTheme (4).
    using Defaults = HRESULT(WINAPI*)(LPCWSTR, LPWSTR, DWORD, LPWSTR, DWORD);
    using OpenFile = HRESULT(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, HANDLE*, DWORD);
    using Apply = HRESULT(WINAPI*)(HANDLE, char*, HWND);
    HMODULE uxtheme = LoadLibraryW(L"uxtheme.dll");
    auto lookup = [uxtheme](int ordinal) {
      return reinterpret_cast<void*>(GetProcAddress(uxtheme, MAKEINTRESOURCEA(ordinal)));
    };
    auto defaults = reinterpret_cast<Defaults>(lookup(7));
    auto open = reinterpret_cast<OpenFile>(lookup(2));
    auto apply = reinterpret_cast<Apply>(lookup(4));
    const std::wstring path(theme, theme + std::char_traits<char>::length(theme));
    wchar_t colour[128] = {}, size[128] = {};
    HANDLE file = nullptr;
    if (defaults == nullptr || open == nullptr || apply == nullptr ||
        FAILED(defaults(path.c_str(), colour, 128, size, 128)) ||
        FAILED(open(path.c_str(), colour, size, &file, 0)) || FAILED(apply(file, nullptr, nullptr)))
      return std::string("classic");
    // The prefix is shared with the other tests: leave it in the classic look.
    std::atexit([] {
      using Enable = HRESULT(WINAPI*)(BOOL);
      auto enable = reinterpret_cast<Enable>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleW(L"uxtheme.dll"), "EnableTheming")));
      if (enable != nullptr)
        enable(FALSE);
    });
    return std::string("themed");
  }();
  return look;
}

// A window of icon buttons in the three states, on the main dialog's template.
class ButtonsDialog : public ModalDialog {
 public:
  explicit ButtonsDialog(Options&) : ModalDialog(IDD_MAIN) {}

 protected:
  bool OnInitDialog() override {
    buttons_[0].Attach(Item(IDC_MAIN_IMPORT), IDI_IMPORT, 32);
    buttons_[1].Attach(Item(IDC_MAIN_EXPORT), IDI_EXPORT, 32);
    buttons_[2].Attach(Item(IDC_MAIN_OPTIONS), IDI_OPTIONS, 32);
    EnableWindow(Item(IDC_MAIN_OPTIONS), FALSE);
    SetFocus(Item(IDC_MAIN_EXPORT));
    return false;
  }

 private:
  IconButton buttons_[3];
};

class ScreenshotsTest : public DialogFixture {
 protected:
  ScreenshotsTest() { Look(); }  // the theme, if any, before the first window
  void Shoot(HWND window, const char* name) {
    thread_->Flush();
    EXPECT_GT(Capture(window, Look() + "-" + name), 8u) << name << " drew nothing";
  }
  void AddMeeting(TimeValue start) {
    AppointmentData appointment;
    appointment.start = start;
    appointment.end = start + 1800;
    appointment.description = Wide("Meeting");
    host_.data->Add(appointment);
  }
  void CloseOver(HWND dialog, HWND below) {
    Click(dialog, IDOK);
    WaitUntil([&] { return Gone(dialog) && IsWindowEnabled(below); });
  }
};

TEST_F(ScreenshotsTest, OptionsAndExample) {
  options_.fullformat = 0;
  HWND options = Open<COptionsDlg>(L"Options");
  SendMessageW(GetDlgItem(options, IDC_OPT_SIMPLE_FIELDS), LB_SETCURSEL, 3, 0);
  Shoot(options, "options");
  Click(options, IDC_OPT_VIEW_EXAMPLE);
  HWND example = thread_->Find(L"File Format Example");
  Shoot(example, "example");
  CloseOver(example, options);
  Escape();
}

TEST_F(ScreenshotsTest, Archive) {
  const LocalFields today = SplitLocal(options_.GetSpanStart());
  for (int days : {-60, -45, 0})
    AddMeeting(BuildLocal(today.year, today.month, today.day + days, 9, 0, 0));
  Shoot(Open<CArchiveDlg>(L"Archive"), "archive");
  Escape();
}

TEST_F(ScreenshotsTest, IconButtons) {
  Shoot(Open<ButtonsDialog>(L"TAVIR - Calvetra for Palm Desktop"), "icon-buttons");
  Escape();
}

TEST_F(ScreenshotsTest, MainDialogAndAboutBox) {
  AddMeeting(options_.GetSpanStart() + 30 * 86400 + 9 * 3600);
  options_.fullformat = 0;
  HWND main = Open<CTAVIRDlg>(L"TAVIR - Calvetra for Palm Desktop");
  Shoot(main, "main-dialog");
  PostMessageW(main, WM_COMMAND, IDM_ABOUT, 0);
  HWND about = thread_->Find(L"About TAVIR");
  Shoot(about, "about-box");
  CloseOver(about, main);
  Escape();
}

// The add-in makes its German language file the resource module for a
// command run when the versions match; the same by hand here.
TEST_F(ScreenshotsTest, MainDialogInGerman) {
  std::wstring path = AnsiToWide(TAVIR_LANGUAGE_DLL);
  for (wchar_t& c : path)
    if (c == L'/')
      c = L'\\';
  const HMODULE german = LoadLibraryW(path.c_str());
  ASSERT_NE(german, nullptr);
  const ResourceModuleScope resources(german);
  Shoot(Open<CTAVIRDlg>(L"TAVIR - Calvetra f\u00fcr Palm Desktop"), "main-dialog-german");
  Escape();
}

TEST_F(ScreenshotsTest, MainDialogDuringAnExport) {
  for (int i = 0; i < 3000; ++i)
    AddMeeting(options_.GetSpanStart() + (i % 60) * 86400 + 9 * 3600);
  const ScratchDirectory folder("tavir-screens-export");
  HWND main = Open<CTAVIRDlg>(L"TAVIR - Calvetra for Palm Desktop");
  Click(main, IDC_MAIN_EXPORT);
  FileDialogWindow(thread_->Find(L"Save As")).Submit(folder.PathOf("dates.csv"));
  HWND progress = GetDlgItem(main, IDC_MAIN_PROGRESS);
  // Well under way, so that the export's pump has repainted the dialog.
  WaitUntil(
      [&] { return IsWindowVisible(progress) && SendMessageW(progress, PBM_GETPOS, 0, 0) > 600; });
  Shoot(main, "main-dialog-progress");
  WaitUntil([&] { return !IsWindowVisible(progress); });
  Escape();
}

}  // namespace
}  // namespace tavir::test_support
