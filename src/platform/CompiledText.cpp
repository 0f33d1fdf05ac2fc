// Looking a text up in a compiled table.
#include "platform/CompiledText.h"

#include <algorithm>

namespace tavir {

const char* FindCompiledText(std::span<const CompiledText> table, int id) {
  const auto found = std::lower_bound(table.begin(), table.end(), id,
                                      [](const CompiledText& e, int key) { return e.id < key; });
  return found != table.end() && found->id == id ? found->text : nullptr;
}

}  // namespace tavir
