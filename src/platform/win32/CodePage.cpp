// ANSI <-> UTF-16 with the system's ANSI code page (Windows).
#include "platform/CodePage.h"

#include <climits>

#include "platform/win32/WindowsApi.h"

namespace tavir {
namespace {

WideString MultiByteToWide(UINT codePage, std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  WideString wide(static_cast<size_t>(needed), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), needed);
  return wide;
}

std::string WideToMultiByte(UINT codePage, const OLECHAR* text, size_t length) {
  if (length == 0 || length > INT_MAX) return {};
  const int count = static_cast<int>(length);
  const int needed = WideCharToMultiByte(codePage, 0, text, count, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string bytes(static_cast<size_t>(needed), '\0');
  WideCharToMultiByte(codePage, 0, text, count, bytes.data(), needed, nullptr, nullptr);
  return bytes;
}

}  // namespace

bool AnsiCodePageIsUtf8() { return GetACP() == CP_UTF8; }

WideString AnsiToWide(std::string_view ansi) { return MultiByteToWide(CP_ACP, ansi); }

std::string WideToAnsi(const OLECHAR* text, size_t length) {
  return WideToMultiByte(CP_ACP, text, length);
}

std::string WideToAnsi(const WideString& text) { return WideToAnsi(text.data(), text.size()); }

std::string AnsiToUtf8(std::string_view ansi) {
  const WideString wide = AnsiToWide(ansi);
  return WideToMultiByte(CP_UTF8, wide.data(), wide.size());
}

}  // namespace tavir
