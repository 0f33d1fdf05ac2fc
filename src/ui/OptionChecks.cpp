// Range and length checks of dialog values.
#include "ui/OptionChecks.h"

#include <cerrno>
#include <cstdlib>

#include "model/Strings.h"
#include "model/TextTrim.h"

namespace tavir {

std::optional<std::string> CheckIntegerRange(const std::string& text, int low, int high,
                                             int& value) {
  const std::string trimmed = TrimWhiteSpace(text);
  char* end = nullptr;
  errno = 0;
  const long parsed = trimmed.empty() ? 0 : std::strtol(trimmed.c_str(), &end, 10);
  if (trimmed.empty() || *end != '\0')
    return LoadText(text::IntegerRequired);
  // A whole number too long for a long is still a number, only out of range.
  if (errno == ERANGE || parsed < low || parsed > high)
    return FormatMessageText(LoadText(text::IntegerRangeRequired).c_str(), low, high);
  value = static_cast<int>(parsed);
  return std::nullopt;
}

std::optional<std::string> CheckExceptionSeparator(const std::string& text) {
  if (text.size() <= 1)
    return std::nullopt;
  return FormatMessageText(LoadText(text::MaxCharactersExceeded).c_str(), 1);
}

}  // namespace tavir
