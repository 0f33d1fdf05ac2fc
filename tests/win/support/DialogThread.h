// Drives a dialog as a person would: the dialog runs on a thread of its own,
// under an owner window that is active when it opens, while the test thread
// finds its windows, sends them input and answers the message boxes it shows.
// Header-only; shared by the dialog tests of tests/win.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win32/CommonControls.h"

namespace tavir::test_support {

// Waiting without polling: while a thread runs dialogs, hooks of its own
// wake the waiters each time it has handled a posted or input message (the
// hook posts itself a tick and signals when that comes out of the queue) or
// a message it sent itself (showing, hiding, destroying, setting a text), so
// a condition is checked again whenever the dialogs may have changed.
// Messages other threads send it (a waiter's own queries) wake no one.
class MessageWatch {
 public:
  // Watches the calling thread while the object lives.
  MessageWatch()
      : retrieved_(SetWindowsHookExW(WH_GETMESSAGE, Retrieved, nullptr, GetCurrentThreadId())),
        handled_(SetWindowsHookExW(WH_CALLWNDPROCRET, Handled, nullptr, GetCurrentThreadId())) {
    EXPECT_TRUE(retrieved_ && handled_) << "no message hook: " << GetLastError();
  }
  ~MessageWatch() {
    UnhookWindowsHookEx(handled_);
    UnhookWindowsHookEx(retrieved_);
  }
  // Waits (up to `seconds`) until the condition holds; false when it never did.
  static bool WaitUntil(const std::function<bool()>& condition, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (;;) {
      const unsigned seen = Generation();
      if (condition())
        return true;
      std::unique_lock<std::mutex> lock(Mutex());
      if (!Signal().wait_until(lock, deadline, [&] { return Generation() != seen; }))
        return condition();
    }
  }

 private:
  static constexpr UINT kTick = WM_APP + 0x7D;

  static std::atomic<unsigned>& Generation() {
    static std::atomic<unsigned> generation{0};
    return generation;
  }
  static std::mutex& Mutex() {
    static std::mutex mutex;
    return mutex;
  }
  static std::condition_variable& Signal() {
    static std::condition_variable signal;
    return signal;
  }
  static void Wake() {
    ++Generation();
    { const std::lock_guard<std::mutex> lock(Mutex()); }  // no waiter between check and wait
    Signal().notify_all();
  }
  static LRESULT CALLBACK Retrieved(int code, WPARAM removal, LPARAM message) {
    const MSG& retrieved = *reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && retrieved.hwnd == nullptr && retrieved.message == kTick)
      Wake();
    else if (code == HC_ACTION && (removal & PM_REMOVE) != 0)  // out after this one is handled
      PostThreadMessageW(GetCurrentThreadId(), kTick, 0, 0);
    return CallNextHookEx(nullptr, code, removal, message);
  }
  static LRESULT CALLBACK Handled(int code, WPARAM fromThisThread, LPARAM message) {
    if (code == HC_ACTION && !InSendMessage())
      Wake();
    return CallNextHookEx(nullptr, code, fromThisThread, message);
  }

  HHOOK retrieved_;
  HHOOK handled_;
};

// Waits (up to `seconds`) until the condition holds; false when it never did.
inline bool WaitUntil(const std::function<bool()>& condition, int seconds = 10) {
  return MessageWatch::WaitUntil(condition, seconds);
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
    const MessageWatch watch;
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
