// The hyperlink's fallback chain and its failure texts.
#include "ui/LinkOpening.h"

#include "model/Strings.h"

namespace tavir {
namespace {

constexpr int kLastErrorCode = 32;

struct Reason {
  int code;
  int textId;
};

constexpr Reason kReasons[] = {
    {0, text::LinkOutOfResources},    {2, text::LinkFileNotFound},
    {3, text::LinkPathNotFound},      {5, text::LinkAccessDenied},
    {8, text::LinkOutOfMemory},       {11, text::LinkBadFormat},
    {26, text::LinkSharingViolation}, {27, text::LinkAssociationIncomplete},
    {28, text::LinkDdeTimeout},       {29, text::LinkDdeFailed},
    {30, text::LinkDdeBusy},          {31, text::LinkNoAssociation},
    {32, text::LinkDllNotFound},
};

}  // namespace

bool OpenLink(const std::string& address, LinkSystem& system) {
  int code = system.OpenWithShell(address);
  if (code > kLastErrorCode)
    return true;
  if (const std::optional<std::string> command = system.HtmlOpenCommand()) {
    code = system.RunCommand(CommandForAddress(*command, address));
    if (code > kLastErrorCode)
      return true;
  }
  system.ReportFailure(LinkFailureText(code));
  return false;
}

std::string CommandForAddress(const std::string& openCommand, const std::string& address) {
  std::size_t cut = openCommand.find("\"%1\"");
  if (cut == std::string::npos)
    cut = openCommand.find("%1");
  return openCommand.substr(0, cut) + " " + address;
}

std::string LinkFailureText(int code) {
  std::string reason = FormatMessageText(LoadText(text::LinkUnknownError).c_str(), code);
  for (const Reason& r : kReasons) {
    if (r.code == code)
      reason = LoadText(r.textId);
  }
  return LoadText(text::CannotOpenLink) + reason;
}

}  // namespace tavir
