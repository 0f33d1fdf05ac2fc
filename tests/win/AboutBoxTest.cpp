// The about box's link and the program's help under Wine, with the calls
// that leave the program watched through their seams.
#include <atomic>
#include <optional>

#include "platform/win32/ResourceModule.h"
#include "ui/win32/HyperLink.h"
#include "ui/win32/ModuleFile.h"
#include "ui/win32/ProgramHelp.h"
#include "ui/win32/ShellLinkSystem.h"
#include "win/MainDialogFixture.h"

namespace tavir::test_support {
namespace {

using AboutBoxTest = MainDialogFixture;

// The shell and the ".htm" association as scripted; the failure is reported
// as the program does it, in a real message box.
class ScriptedShellLink : public ShellLinkSystem {
 public:
  ScriptedShellLink(int shellCode, std::optional<std::string> command)
      : shellCode_(shellCode), command_(std::move(command)) {}
  int OpenWithShell(const std::string& address) override {
    opened = address;
    clicked = true;
    return shellCode_;
  }
  std::optional<std::string> HtmlOpenCommand() override { return command_; }
  int RunCommand(const std::string& commandLine) override {
    ran = commandLine;
    return 2;
  }
  std::string opened, ran;
  std::atomic<bool> clicked{false};

 private:
  int shellCode_;
  std::optional<std::string> command_;
};

// True when the link, painted into a bitmap, shows the colour.
bool LinkShows(HWND link, COLORREF colour) {
  RECT area;
  GetClientRect(link, &area);
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
  const HGDIOBJ previous = SelectObject(dc, bitmap);
  SendMessageW(link, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  bool found = false;
  for (int x = 0; x < area.right && !found; ++x)
    for (int y = 0; y < area.bottom && !found; ++y)
      found = GetPixel(dc, x, y) == colour;
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return found;
}

TEST_F(AboutBoxTest, LinkOpensOrExplainsWhyNot) {
  struct Case {
    int shellCode;
    std::optional<std::string> command;
    const char* ran;
    const char* message;  // empty: opened
  } cases[] = {
      {42, std::nullopt, "", ""},
      {31, "b.exe \"%1\"", "b.exe  http://www.quelmar.com/tavir/",
       "Can't open link:\n\nThe specified file was not found."},
  };
  for (const Case& c : cases) {
    ScriptedShellLink link(c.shellCode, c.command);
    Run(
        [&](DialogDriver& driver, HWND main) {
          DialogDriver::Post(main, IDM_ABOUT, 0);
          const HWND about = Opened(driver, main, "the about box");
          const HWND control = GetDlgItem(about, IDC_ABOUT_LINK);
          EXPECT_TRUE(LinkShows(control, kLinkColour));
          PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
          if (*c.message != '\0') {
            EXPECT_EQ(driver.AnswerMessage(about, IDOK), c.message);
          }
          driver.WaitUntil([&] { return link.clicked.load(); }, "the click");
          SendMessageW(about, WM_NULL, 0, 0);
          EXPECT_EQ(LinkShows(control, kVisitedLinkColour), *c.message == '\0');
          DialogDriver::Post(about, IDOK);
          driver.WaitGone(about);
        },
        {nullptr, nullptr, &link});
    EXPECT_EQ(link.opened, "http://www.quelmar.com/tavir/");
    EXPECT_EQ(link.ran, c.ran);
  }
}

// Records what the help would open; whether a help file is there is the
// system's answer.
class WatchedHelp : public SystemHelp {
 public:
  void ShowHelpContents(HWND owner, const std::wstring& helpFile) override {
    opened.push_back({owner, L"WinHelp " + helpFile});
    ++calls;
  }
  void OpenPage(HWND owner, const std::wstring& page) override {
    opened.push_back({owner, L"shell " + page});
    ++calls;
  }
  std::vector<std::pair<HWND, std::wstring>> opened;
  std::atomic<int> calls{0};
};

TEST_F(AboutBoxTest, HelpOpensThePageUnlessAHelpFileIsThere) {
  const std::wstring module = ModuleFilePath(OwnModule());
  const std::wstring helpFile = WithExtension(module, L".HLP");
  for (bool withHelpFile : {false, true}) {
    if (withHelpFile)
      std::ofstream(helpFile.c_str()) << "dummy";
    WatchedHelp help;
    HWND mainWindow = nullptr;
    Run(
        [&](DialogDriver& driver, HWND main) {
          mainWindow = main;
          DialogDriver::Notify(main, IDM_HELP, 0);
          SetForegroundWindow(main);
          Focus(main, IDC_MAIN_CLOSE);
          PressKeys({VK_F1});
          driver.WaitUntil([&] { return help.calls == 2; }, "help by F1");
        },
        {nullptr, &help});
    const std::wstring expected =
        withHelpFile ? L"WinHelp " + helpFile : L"shell " + WithExtension(module, L".htm");
    ASSERT_EQ(help.opened.size(), 2u);
    for (const auto& [owner, what] : help.opened) {
      EXPECT_EQ(owner, mainWindow);
      EXPECT_EQ(what, expected);
    }
  }
  DeleteFileW(helpFile.c_str());
}

}  // namespace
}  // namespace tavir::test_support
