// Drives a dialog as a person would: the dialog runs on a thread of its own,
// under an owner window that is active when it opens, while the test thread
// finds its windows, sends them input and answers the message boxes it shows.
// Header-only; shared by the dialog tests of tests/win.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win32/CommonControls.h"

namespace tavir::test_support {

// Waits (up to `seconds`) until the condition holds; false when it never did.
// It looks again every few milliseconds: a wake on every message the dialog
// thread handles was tried and slows a long export down many times over,
// each wake costing the thread a query from the waiter.
inline bool WaitUntil(const std::function<bool()>& condition, int seconds = 10) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline)
      return condition();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// Waits (up to 10 s) until `find` gives a window.
inline HWND WaitForWindow(const std::function<HWND()>& find) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = find()) != nullptr; });
  return found;
}

// A window destroyed, or hidden on its way there.
inline bool Gone(HWND window) {
  return !IsWindow(window) || !IsWindowVisible(window);
}

inline std::wstring WindowClass(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

inline std::wstring Text(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

inline BOOL CALLBACK CollectVisible(HWND window, LPARAM list) {
  if (IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// The visible top-level windows of a thread.
inline std::vector<HWND> ThreadWindows(DWORD thread) {
  std::vector<HWND> windows;
  EnumThreadWindows(thread, CollectVisible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

class DialogThread {
 public:
  // `run` opens the dialog (modally, on the dialog thread) and returns its result.
  explicit DialogThread(std::function<INT_PTR()> run) : thread_([this, run] { Main(run); }) {
    WaitForWindow([this] { return owner_.load(); });
  }
  ~DialogThread() {
    if (thread_.joinable())
      thread_.join();
  }

  DWORD Id() const { return threadId_; }
  HWND Owner() const { return owner_; }

  // A visible window of the dialog thread with this caption and class.
  HWND Find(const std::wstring& caption, const wchar_t* className = L"#32770") const {
    return WaitForWindow([&]() -> HWND {
      for (HWND window : ThreadWindows(threadId_))
        if (Text(window) == caption && WindowClass(window) == className)
          return window;
      return nullptr;
    });
  }
  // A message box of the program: its text, answered with OK (or Cancel).
  std::wstring AnswerMessageBox(int answer = IDOK) const {
    HWND box = Find(L"TAVIRAddIn");
    if (box == nullptr)
      return L"<no message box>";
    const std::wstring text = Text(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    WaitUntil([box] { return Gone(box); });
    return text;
  }
  // Waits until every message posted to the dialog thread so far is handled.
  void Flush() const {
    const int ticket = ++posted_;
    PostMessageW(owner_, kFlush, 0, static_cast<LPARAM>(ticket));
    WaitUntil([&] { return handled_ >= ticket; });
  }
  // The dialog's result, once it has closed.
  INT_PTR Result() {
    if (thread_.joinable())
      thread_.join();
    return result_;
  }
  bool OwnerEnabledAfterwards() {
    Result();
    return ownerEnabledAfterwards_;
  }
  // The window that has the keyboard focus on the dialog thread, once there is one.
  HWND FocusWindow() const {
    return WaitForWindow([this] { return Focus(); });
  }
  // The window that has the keyboard focus on the dialog thread.
  HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(threadId_, &info);
    return info.hwndFocus;
  }

 private:
  static constexpr UINT kFlush = WM_APP + 0x7E;

  static LRESULT CALLBACK OwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kFlush) {
      auto* self = reinterpret_cast<DialogThread*>(GetWindowLongPtrW(window, GWLP_USERDATA));
      self->handled_ = static_cast<int>(lParam);
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  void Main(const std::function<INT_PTR()>& run) {
    threadId_ = GetCurrentThreadId();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = OwnerProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TavirTestOwner";
    RegisterClassW(&windowClass);  // a second registration fails harmlessly
    HWND owner =
        CreateWindowExW(0, L"TavirTestOwner", L"Test owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                        200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(owner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetForegroundWindow(owner);
    SetActiveWindow(owner);
    owner_ = owner;
    result_ = run();
    ownerEnabledAfterwards_ = IsWindowEnabled(owner) != FALSE;
    DestroyWindow(owner);
  }

  std::atomic<HWND> owner_{nullptr};
  std::atomic<DWORD> threadId_{0};
  mutable std::atomic<int> posted_{0};
  std::atomic<int> handled_{0};
  INT_PTR result_ = 0;
  bool ownerEnabledAfterwards_ = false;
  std::thread thread_;
};

// Input as a person gives it, posted so that it passes the dialog's own loop.
inline void PostKey(HWND window, UINT key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}
// Keys pressed in order and released in reverse on the keyboard: they go to
// the focus of the foreground window (accelerators and F1 read the key state).
inline void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs(2 * keys.size());
  std::size_t down = 0;
  for (const WORD key : keys) {
    INPUT& up = inputs[inputs.size() - 1 - down];
    inputs[down].type = up.type = INPUT_KEYBOARD;
    inputs[down].ki.wVk = up.ki.wVk = key;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    ++down;
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}
// Mouse input at the cursor's position, as the hardware gives it (the drag
// list and the help mode read the cursor from the system, not the message).
inline void SendMouse(DWORD flags) {
  POINT at;
  GetCursorPos(&at);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}
inline void Click(HWND dialog, int id) {
  PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}
inline void SetText(HWND dialog, int id, const wchar_t* text) {
  SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
inline bool Checked(HWND dialog, int id) {
  return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
// Moves the focus as Tab would, on the dialog's own thread.
inline void Focus(HWND dialog, int id) {
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}
inline bool Enabled(HWND dialog, int id) {
  return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

}  // namespace tavir::test_support
