// Windows: opening an address through the shell and the ".htm" association.
#include "ui/win32/ShellLinkSystem.h"

#include <vector>

#include "platform/CodePage.h"
#include "platform/Shell.h"
#include "ui/win32/UiApi.h"

namespace tavir {
namespace {

// The default value of a key under HKEY_CLASSES_ROOT.
std::optional<std::string> ClassesDefaultValue(const std::string& key) {
  DWORD size = 0;
  if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, nullptr,
                   &size) != ERROR_SUCCESS)
    return std::nullopt;
  std::vector<char> value(size + 1);
  if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value.data(),
                   &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::string(value.data());
}

}  // namespace

int ShellLinkSystem::OpenWithShell(const std::string& address) {
  const WideString wide = AnsiToWide(address);
  return static_cast<int>(reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL)));
}

std::optional<std::string> ShellLinkSystem::HtmlOpenCommand() {
  const std::optional<std::string> type = ClassesDefaultValue(".htm");
  if (!type || type->empty())
    return std::nullopt;
  return ClassesDefaultValue(*type + "\\shell\\open\\command");
}

int ShellLinkSystem::RunCommand(const std::string& commandLine) {
  return static_cast<int>(WinExec(commandLine.c_str(), SW_SHOWNORMAL));
}

void ShellLinkSystem::ReportFailure(const std::string& text) {
  MessageBeep(MB_ICONEXCLAMATION);
  CurrentShell().ShowMessage(text, MessageButtons::Ok, MessageIcon::Exclamation);
}

}  // namespace tavir
