// Terminal shell: stderr for messages and progress, /dev/tty for questions.
#include "cli/TerminalShell.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

namespace tavir {

namespace {

volatile sig_atomic_t quitRequested = 0;

void OnInterrupt(int) { quitRequested = 1; }

}  // namespace

TerminalShell::TerminalShell(std::optional<MessageAnswer> answer) : answer_(answer) {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

TerminalShell::~TerminalShell() { signal(SIGINT, SIG_DFL); }

bool TerminalShell::QuitRequested() { return quitRequested != 0; }

void TerminalShell::TakeQuitRequest() {
  quitRequested = 0;
}

MessageAnswer TerminalShell::ShowMessage(const std::string& text, MessageButtons buttons,
                                         MessageIcon) {
  std::cerr << text << '\n';
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  if (answer_) {
    std::cerr << (*answer_ == MessageAnswer::Ok ? "[OK]" : "[Cancel]") << '\n';
    return *answer_;
  }
  std::fstream tty("/dev/tty", std::ios::in | std::ios::out);
  if (!tty || !isatty(STDIN_FILENO)) {
    std::cerr << "[Cancel: no terminal to ask; use --yes or --no]\n";
    return MessageAnswer::Cancel;
  }
  tty << "OK or Cancel? [o/c] " << std::flush;
  std::string reply;
  std::getline(tty, reply);
  return !reply.empty() && (reply[0] == 'o' || reply[0] == 'O' || reply[0] == 'y' || reply[0] == 'Y')
             ? MessageAnswer::Ok
             : MessageAnswer::Cancel;
}

// The quit message stays posted: every later pump reports it too.
bool TerminalShell::PumpMessages() { return !QuitRequested(); }

std::string TerminalShell::LastSystemErrorText() { return std::strerror(errno); }

TerminalProgress::TerminalProgress(std::FILE* stream)
    : stream_(stream), enabled_(isatty(fileno(stream)) != 0) {}

TerminalProgress::~TerminalProgress() { Show(false); }

void TerminalProgress::SetRange(int upper) {
  upper_ = upper & 0xFFFF;  // the control keeps 16 bits, as the Windows one does
  drawnPercent_ = -1;
  Draw();
}

void TerminalProgress::SetPosition(int position) {
  position_ = position;
  Draw();
}

void TerminalProgress::Show(bool visible) {
  if (visible_ && !visible && enabled_) std::fprintf(stream_, "\r%60s\r", "");
  visible_ = visible;
  drawnPercent_ = -1;
  Draw();
}

void TerminalProgress::Draw() {
  if (!enabled_ || !visible_ || upper_ <= 0) return;
  int percent = static_cast<int>(100LL * std::min(position_, upper_) / upper_);
  if (percent == drawnPercent_) return;
  drawnPercent_ = percent;
  const int filled = percent / 2;
  std::fprintf(stream_, "\r[%-50.*s] %3d%%", filled,
               "##################################################", percent);
  std::fflush(stream_);
}

}  // namespace tavir
