// Windows: the system side of the about box's link: the shell's "open", the
// ".htm" file type's command line, WinExec, and the beep with the message.
#pragma once

#include "ui/LinkOpening.h"

namespace tavir {

class ShellLinkSystem : public LinkSystem {
 public:
  int OpenWithShell(const std::string& address) override;
  std::optional<std::string> HtmlOpenCommand() override;
  int RunCommand(const std::string& commandLine) override;
  void ReportFailure(const std::string& text) override;
};

}  // namespace tavir
