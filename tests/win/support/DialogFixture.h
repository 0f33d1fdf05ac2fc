// A dialog test's world: the stand-alone datebook as the host, an options
// object bound to it, the Windows shell (real message boxes) and the thread
// the dialog runs on.
#pragma once

#include <memory>
#include <string>

#include "model/Options.h"
#include "model/Strings.h"
#include "platform/win32/WindowsShell.h"
#include "support/DesktopHost.h"
#include "win/support/DialogThread.h"

namespace tavir::test_support {

class DialogFixture : public ::testing::Test {
 protected:
  DialogFixture() {
    SetCurrentShell(&shell_);
    options_.host = ComPtr<IUnknown>(host_.application.Get());
  }
  ~DialogFixture() override {
    thread_.reset();
    SetCurrentShell(nullptr);
  }

  // Runs a dialog of type Dialog over the options on its own thread and
  // returns its window, found by caption; the owner is disabled meanwhile.
  template <typename Dialog>
  HWND Open(const std::wstring& caption) {
    thread_ = std::make_unique<DialogThread>([this] {
      Dialog dialog(options_);
      return dialog.Run();
    });
    HWND dialog = thread_->Find(caption);
    EXPECT_NE(dialog, nullptr) << "no dialog " << std::string(caption.begin(), caption.end());
    EXPECT_FALSE(IsWindowEnabled(thread_->Owner())) << "the owner stays usable";
    return dialog;
  }
  // Escape on the focused control; the dialog ends with IDCANCEL and gives
  // the owner back.
  void Escape() {
    PostKey(thread_->FocusWindow(), VK_ESCAPE);
    EXPECT_EQ(thread_->Result(), IDCANCEL);
    EXPECT_TRUE(thread_->OwnerEnabledAfterwards());
  }
  // Answers the message box that must be open over `dialog` (which it
  // disables), and returns its text.
  std::wstring AnswerMessageBox(HWND dialog) {
    EXPECT_NE(thread_->Find(L"TAVIRAddIn"), nullptr);
    EXPECT_FALSE(IsWindowEnabled(dialog)) << "the dialog stays usable under its message box";
    return thread_->AnswerMessageBox();
  }

  WindowsShell shell_{LoadText(text::ProgramCaption)};
  DesktopHost host_;
  Options options_;
  std::unique_ptr<DialogThread> thread_;
};

inline std::wstring WideText(const std::string& ansi) {
  return std::wstring(ansi.begin(), ansi.end());
}

}  // namespace tavir::test_support
