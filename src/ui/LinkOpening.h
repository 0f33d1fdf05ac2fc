// How the about box's hyperlink opens its address: the shell's "open" first,
// then the command line of the ".htm" file type, and the reason for the
// failure when both fail. The steps that touch the system are a seam.
#pragma once

#include <optional>
#include <string>

namespace tavir {

// What the link needs from the system. Codes are the shell's: above 32 is
// success, 32 or less an error.
class LinkSystem {
 public:
  virtual ~LinkSystem() = default;
  // The shell's "open" of the address, shown normally.
  virtual int OpenWithShell(const std::string& address) = 0;
  // The "\shell\open\command" of the file type registered for ".htm".
  virtual std::optional<std::string> HtmlOpenCommand() = 0;
  // Starts a command line, shown normally.
  virtual int RunCommand(const std::string& commandLine) = 0;
  // Beeps and shows the text with the exclamation icon.
  virtual void ReportFailure(const std::string& text) = 0;
};

// Runs the chain; true when the address was opened (the link is then drawn
// as visited).
bool OpenLink(const std::string& address, LinkSystem& system);

// The association's command line cut at "\"%1\"" or "%1", then a blank and
// the address.
std::string CommandForAddress(const std::string& openCommand, const std::string& address);

// "Can't open link:\n\n" and the reason for the code.
std::string LinkFailureText(int code);

}  // namespace tavir
