// What every `tavir` command works with: the options of this run, the
// datebook (opened when a command first needs it) and the terminal.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "cli/DatebookSession.h"
#include "cli/TerminalShell.h"
#include "model/Options.h"
#include "ui/ProgressShown.h"

namespace tavir {

struct DatebookLocation {
  std::string path;
  bool makeFolder = false;  // the data directory's datebook: its folders are made
};

enum class WhenMissing { Refuse, Create };

class CommandContext {
 public:
  CommandContext(DatebookLocation datebook, std::ostream& out);

  Options& options() { return options_; }
  std::ostream& out() { return out_; }
  TerminalProgress& progress() { return progress_; }
  // Opens the datebook and hands its host object to the options. Only the
  // commands that add data create a missing datebook; for the others a
  // missing one is an error (std::runtime_error naming the path), so that a
  // mistyped path is reported instead of read as an empty datebook.
  DatebookSession& Datebook(WhenMissing whenMissing = WhenMissing::Refuse);
  bool HasDatebook() const { return session_ != nullptr; }
  const std::string& DatebookPath() const { return datebook_.path; }

 private:
  DatebookLocation datebook_;
  std::ostream& out_;
  Options options_;
  TerminalProgress progress_;
  std::unique_ptr<DatebookSession> session_;
};

// The Palm user of a new datebook: the login name.
std::string LoginName();

}  // namespace tavir
