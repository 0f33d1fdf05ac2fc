// Portable build: the program has no resource module; the compiled-in string
// table is the only source of texts.
#include "platform/ModuleText.h"

namespace tavir {

std::optional<std::string> LoadModuleText(int) {
  return std::nullopt;
}

}  // namespace tavir
