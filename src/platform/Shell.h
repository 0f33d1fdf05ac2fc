// The user-facing shell the engine talks to: message boxes, the wait cursor,
// the progress control and the message pump. Windows: Win32. `tavir`: the
// terminal. Tests: a scripted fake (tests/support/FakeShell.h).
#pragma once

#include <string>

namespace tavir {

enum class MessageButtons { Ok, OkCancel };
enum class MessageIcon { None, Information, Exclamation, Stop, Question };
enum class MessageAnswer { Ok, Cancel };

class ProgressControl {
 public:
  virtual ~ProgressControl() = default;
  // PBM_SETRANGE carries the upper bound in 16 bits: callers pass the full
  // count and the control keeps its low 16 bits.
  virtual void SetRange(int upper) = 0;
  virtual void SetPosition(int position) = 0;
  virtual void Show(bool visible) = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  virtual MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons,
                                    MessageIcon icon) = 0;
  virtual void ShowWaitCursor() = 0;
  virtual void RestoreCursor() = 0;
  // Dispatches the waiting messages and runs idle work. Returns false when the
  // quit message was seen; it has then been posted again for the outer loop.
  virtual bool PumpMessages() = 0;
  // The last system error as text (FormatMessage of GetLastError / strerror).
  virtual std::string LastSystemErrorText() = 0;
};

// Deletes a file (name in the ANSI code page); false when it could not be
// deleted. Windows: DeleteFile; portable: remove.
bool DeleteFileNamed(const std::string& name);

// The shell of this process; set once by the program or the test.
Shell& CurrentShell();
void SetCurrentShell(Shell* shell);

}  // namespace tavir
