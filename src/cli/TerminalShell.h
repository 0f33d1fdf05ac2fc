// The shell of the `tavir` command: messages on stderr, questions on the
// terminal (or answered by --yes / --no), a progress bar on stderr when it
// is a terminal, and Ctrl-C as the quit message.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "platform/Shell.h"

namespace tavir {

class TerminalShell : public Shell {
 public:
  // answer: the reply to every OK/Cancel question, or none to ask on the
  // terminal (Cancel when there is no terminal to ask on).
  explicit TerminalShell(std::optional<MessageAnswer> answer);
  ~TerminalShell() override;

  MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons,
                            MessageIcon icon) override;
  void ShowWaitCursor() override {}
  void RestoreCursor() override {}
  bool PumpMessages() override;
  std::string LastSystemErrorText() override;

  // True once Ctrl-C was pressed.
  static bool QuitRequested();
  // The command has ended the operation that Ctrl-C stopped; what it does
  // next (the summary's count) runs unless Ctrl-C is pressed again.
  static void TakeQuitRequest();

 private:
  std::optional<MessageAnswer> answer_;
};

class TerminalProgress : public ProgressControl {
 public:
  explicit TerminalProgress(std::FILE* stream);
  ~TerminalProgress() override;
  void SetRange(int upper) override;
  void SetPosition(int position) override;
  void Show(bool visible) override;

 private:
  void Draw();
  std::FILE* stream_;
  bool enabled_;
  bool visible_ = false;
  int upper_ = 0;
  int position_ = 0;
  int drawnPercent_ = -1;
};

}  // namespace tavir
