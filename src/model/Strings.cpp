// The string table compiled into the program, and message formatting.
#include "model/Strings.h"

#include <cstdarg>
#include <cstdio>
#include <utility>
#include <vector>

#include "platform/CompiledText.h"
#include "platform/ModuleText.h"
#include "platform/RegionalSettingsNote.h"

namespace tavir {
namespace {

constexpr CompiledText kStringTable[] = {
#define TAVIR_STRING(id, name, text) {id, text},
#include "model/StringTable.inc"
#undef TAVIR_STRING
};
static_assert(IsSortedById(kStringTable),
              "StringTable.inc must list each id once, in ascending order");

}  // namespace

std::string LoadText(int id) {
  // The module's resources first: a language resource can replace any text.
  if (auto text = LoadModuleText(id))
    return *std::move(text);
  const char* found = FindCompiledText(kStringTable, id);
  if (!found)
    return {};
  std::string text = found;
  // The field messages end by naming where the date and time forms are set.
  if (text.ends_with(kWindowsRegionalSettingsNote))
    text.replace(text.size() - kWindowsRegionalSettingsNote.size(),
                 kWindowsRegionalSettingsNote.size(), RegionalSettingsNote());
  return text;
}

std::string FormatMessageText(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  va_list measure;
  va_copy(measure, arguments);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  std::string result;
  if (length > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, arguments);
    result.assign(buffer.data(), static_cast<std::size_t>(length));
  }
  va_end(arguments);
  return result;
}

}  // namespace tavir
