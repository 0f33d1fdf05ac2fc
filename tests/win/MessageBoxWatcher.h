// Answers the message boxes of this process that carry a given caption: a
// thread finds them as windows, records their text and owner, and presses
// OK, while the test's own thread sits in the box's modal loop.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/CodePage.h"
#include "platform/win32/WindowsApi.h"

namespace tavir::testing {

struct SeenMessageBox {
  std::string text;
  HWND owner = nullptr;
};

class MessageBoxWatcher {
 public:
  explicit MessageBoxWatcher(std::wstring caption)
      : caption_(std::move(caption)), thread_([this] { Watch(); }) {}
  ~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
  }
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  std::vector<SeenMessageBox> Seen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
  }

 private:
  void Watch() {
    while (!stop_) {
      EnumWindows(&MessageBoxWatcher::Visit, reinterpret_cast<LPARAM>(this));
      Sleep(20);
    }
  }
  static BOOL CALLBACK Visit(HWND window, LPARAM self) {
    static_cast<MessageBoxWatcher*>(reinterpret_cast<void*>(self))->Answer(window);
    return TRUE;
  }
  void Answer(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    wchar_t caption[128] = {};
    GetClassNameW(window, className, 16);
    // Reads the caption without a message: the window's thread may be busy
    // joining this one.
    InternalGetWindowText(window, caption, 128);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
        std::wstring(className) != L"#32770" || caption_ != caption)
      return;
    wchar_t text[2048] = {};
    GetDlgItemTextW(window, 0xFFFF, text, 2048);  // the box's text control
    {
      std::lock_guard<std::mutex> lock(mutex_);
      seen_.push_back({WideToAnsi(text), GetWindow(window, GW_OWNER)});
    }
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }

  std::wstring caption_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<SeenMessageBox> seen_;
  std::thread thread_;
};

}  // namespace tavir::testing
