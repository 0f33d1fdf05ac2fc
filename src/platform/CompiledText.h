// Texts compiled into the program under their string-table ids, for where the
// module's own resources do not have them.
#pragma once

#include <cstddef>
#include <span>

namespace tavir {

struct CompiledText {
  int id;
  const char* text;
};

// True when the table lists each id once, in ascending order.
constexpr bool IsSortedById(std::span<const CompiledText> table) {
  for (std::size_t i = 1; i < table.size(); ++i)
    if (table[i - 1].id >= table[i].id)
      return false;
  return true;
}

// The text of id in a table sorted by id; null when the table has none.
const char* FindCompiledText(std::span<const CompiledText> table, int id);

}  // namespace tavir
