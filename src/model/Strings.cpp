// The string table compiled into the program, and message formatting.
#include "model/Strings.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <iterator>
#include <utility>
#include <vector>

#include "platform/ModuleText.h"
#include "platform/RegionalSettingsNote.h"

namespace tavir {
namespace {

struct StringEntry {
  int id;
  const char* text;
};

constexpr StringEntry kStringTable[] = {
#define TAVIR_STRING(id, name, text) {id, text},
#include "model/StringTable.inc"
#undef TAVIR_STRING
};

constexpr bool IsSortedById() {
  for (std::size_t i = 1; i < std::size(kStringTable); ++i)
    if (kStringTable[i - 1].id >= kStringTable[i].id)
      return false;
  return true;
}
static_assert(IsSortedById(), "StringTable.inc must list each id once, in ascending order");

}  // namespace

std::string LoadText(int id) {
  // The module's resources first: a language resource can replace any text.
  if (auto text = LoadModuleText(id))
    return *std::move(text);
  const auto* end = std::end(kStringTable);
  const auto* found = std::lower_bound(std::begin(kStringTable), end, id,
                                       [](const StringEntry& e, int key) { return e.id < key; });
  if (found == end || found->id != id)
    return {};
  std::string text = found->text;
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
