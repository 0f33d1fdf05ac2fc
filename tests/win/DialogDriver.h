// Drives the dialogs of the user-interface thread from a second thread, as a
// person would: it waits for windows to appear, reads their texts, sends the
// messages that clicks and typing cause, and answers message boxes. The
// dialog under test runs modally on the test's own thread meanwhile.
#pragma once

#include <chrono>
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
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
      for (HWND window : ThreadWindows(uiThread_)) {
        if (match(window))
          return window;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    throw DriverTimeout("no window appeared: " + what);
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
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition()) {
      if (std::chrono::steady_clock::now() > deadline)
        throw DriverTimeout("waited in vain: " + what);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  // Waits until the window is gone (its dialog closed).
  void WaitGone(HWND window) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (IsWindow(window) && IsWindowVisible(window)) {
      if (std::chrono::steady_clock::now() > deadline)
        throw DriverTimeout("a window stayed open");
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
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
  // Real key strokes to the foreground window (accelerators read the key state).
  static void Keys(std::initializer_list<WORD> down) {
    std::vector<INPUT> inputs;
    for (WORD key : down)
      inputs.push_back(Key(key, 0));
    for (auto key = std::rbegin(down); key != std::rend(down); ++key)
      inputs.push_back(Key(*key, KEYEVENTF_KEYUP));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  }

  // Waits for the message box owned by owner, answers it, returns its text.
  std::string AnswerMessage(HWND owner, int answer) const {
    const HWND box = WaitFor(
        [&](HWND window) {
          return GetWindow(window, GW_OWNER) == owner && GetDlgItem(window, 0xFFFF) != nullptr;
        },
        "message box");
    const std::string text = ItemText(box, 0xFFFF);
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
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }

 private:
  static INPUT Key(WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    return input;
  }

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

}  // namespace tavir::test_support
