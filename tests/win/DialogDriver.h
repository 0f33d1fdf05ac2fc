// Drives the dialogs of the user-interface thread from a second thread, as a
// person would: it waits for windows to appear, reads their texts, sends the
// messages that clicks and typing cause, and answers message boxes. The
// dialog under test runs modally on the test's own thread meanwhile.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "ui/win32/UiApi.h"
#include "win/support/DialogThread.h"

namespace tavir::test_support {

struct DriverTimeout : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class DialogDriver {
 public:
  explicit DialogDriver(DWORD uiThread) : uiThread_(uiThread) {}

  // A visible top-level dialog of the user-interface thread that matches.
  HWND WaitFor(const std::function<bool(HWND)>& match, const std::string& what) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
          for (HWND window : ThreadWindows(uiThread_))
            if (match(window))
              return (found = window) != nullptr;
          return false;
        },
        what);
    return found;
  }
  HWND WaitForCaption(const std::string& caption) const {
    return WaitFor([&](HWND window) { return Text(window) == caption; }, caption);
  }
  // The dialog owned by owner (a file dialog, a message box, a nested dialog).
  HWND WaitForOwned(HWND owner, const std::string& what) const {
    return WaitFor([&](HWND window) { return GetWindow(window, GW_OWNER) == owner; }, what);
  }
  // Waits until the condition holds (an operation that a posted command
  // started has ended).
  void WaitUntil(const std::function<bool()>& condition, const std::string& what) const {
    if (!test_support::WaitUntil(condition, 30))
      throw DriverTimeout("waited in vain: " + what);
  }
  // Waits until the window is gone (its dialog closed).
  void WaitGone(HWND window) const {
    WaitUntil([window] { return Gone(window); }, "a window to close");
  }

  static std::string Text(HWND window) {
    wchar_t buffer[4096] = {};
    SendMessageW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer));
    return WideToAnsi(buffer, wcslen(buffer));
  }
  static std::string ItemText(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }
  static void SetItemText(HWND dialog, int id, const std::string& text) {
    const WideString wide = AnsiToWide(text);
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  // A control's notification, handled before this returns.
  static void Notify(HWND dialog, int id, int code) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  // A click or menu command that may open a modal window: posted, so that
  // this thread is free to drive what opens.
  static void Post(HWND dialog, int id, int code = BN_CLICKED) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                 code == 0 ? 0 : reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  // Waits for the message box owned by owner, answers it, returns its text
  // (after its caption and a bar when withCaption).
  std::string AnswerMessage(HWND owner, int answer = IDOK, bool withCaption = false) const {
    const HWND box = WaitFor(
        [&](HWND window) {
          return GetWindow(window, GW_OWNER) == owner && GetDlgItem(window, 0xFFFF) != nullptr;
        },
        "message box");
    const std::string text = (withCaption ? Text(box) + "|" : "") + ItemText(box, 0xFFFF);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    WaitGone(box);
    return text;
  }

  // Closes whatever is still open, innermost first, so that a failed run
  // does not leave the test waiting for a modal loop.
  void CloseAll() const {
    for (int round = 0; round < 50; ++round) {
      const std::vector<HWND> open = ThreadWindows(uiThread_);
      if (open.empty())
        return;
      for (HWND window : open) {
        if (IsWindowEnabled(window))
          PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
      }
      // The innermost closes first; the next round reaches the one below it.
      test_support::WaitUntil([&] { return ThreadWindows(uiThread_).size() < open.size(); }, 1);
    }
  }

 private:
  DWORD uiThread_;
};

// Runs the modal call on this thread while drive runs on another; a driver
// that times out or throws fails the test and closes what is open.
template <typename Modal>
auto RunDriven(Modal modal, const std::function<void(DialogDriver&)>& drive) {
  DialogDriver driver(GetCurrentThreadId());
  std::thread thread([&] {
    try {
      drive(driver);
    } catch (const std::exception& failure) {
      ADD_FAILURE() << failure.what();
      driver.CloseAll();
    }
  });
  struct Joiner {
    std::thread& thread;
    ~Joiner() { thread.join(); }
  } joiner{thread};
  return modal();
}

// Runs the modal call while drive works the window with the caption that it
// opens; that window is closed with the command `close` if drive left it open.
template <typename Modal>
auto RunDrivenWindow(Modal modal, const std::string& caption, int close,
                     const std::function<void(DialogDriver&, HWND)>& drive) {
  return RunDriven(modal, [&](DialogDriver& driver) {
    const HWND window = driver.WaitForCaption(caption);
    drive(driver, window);
    if (!Gone(window)) {
      DialogDriver::Post(window, close);
      driver.WaitGone(window);
    }
  });
}

}  // namespace tavir::test_support
