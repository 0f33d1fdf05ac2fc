// A scripted shell for tests: records every message box and answers from a
// queue (OK once it is empty), and can report the quit message at a chosen
// pump. FakeProgress records what is done to the progress control.
#pragma once

#include <deque>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/Shell.h"

namespace tavir::test_support {

struct ShownMessage {
  std::string text;
  MessageButtons buttons;
  MessageIcon icon;
};

class FakeShell : public Shell {
 public:
  // Answers given in order to the next message boxes.
  void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
  // The pump with this 1-based number (and every later one) reports the quit
  // message; 0 never does.
  void QuitAtPump(int pumpNumber) { quitAtPump_ = pumpNumber; }
  void SetLastSystemErrorText(std::string text) { systemErrorText_ = std::move(text); }

  const std::vector<ShownMessage>& Messages() const { return messages_; }

  MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons,
                            MessageIcon icon) override {
    messages_.push_back({text, buttons, icon});
    if (answers_.empty())
      return MessageAnswer::Ok;
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  void ShowWaitCursor() override {}
  void RestoreCursor() override {}
  bool PumpMessages() override {
    ++pumpCount_;
    return quitAtPump_ == 0 || pumpCount_ < quitAtPump_;
  }
  std::string LastSystemErrorText() override { return systemErrorText_; }

 private:
  std::deque<MessageAnswer> answers_;
  int quitAtPump_ = 0;
  std::string systemErrorText_ = "The system cannot find the file specified.";
  std::vector<ShownMessage> messages_;
  int pumpCount_ = 0;
};

class FakeProgress : public ProgressControl {
 public:
  void SetRange(int upper) override {
    // The real control keeps only the low 16 bits of the upper bound.
    range_ = upper & 0xFFFF;
  }
  void SetPosition(int position) override { positions_.push_back(position); }
  void Show(bool) override {}

  int Range() const { return range_; }
  const std::vector<int>& Positions() const { return positions_; }

 private:
  int range_ = 100;
  std::vector<int> positions_;
};

// Installs a shell for the lifetime of a test and restores the previous one.
class InstalledShell {
 public:
  explicit InstalledShell(Shell& shell) : previous_(PreviousShell()) { SetCurrentShell(&shell); }
  ~InstalledShell() { SetCurrentShell(previous_); }
  InstalledShell(const InstalledShell&) = delete;
  InstalledShell& operator=(const InstalledShell&) = delete;

 private:
  static Shell* PreviousShell() {
    try {
      return &CurrentShell();
    } catch (const std::logic_error&) {
      return nullptr;
    }
  }
  Shell* previous_;
};

}  // namespace tavir::test_support
