// The per-control help texts: the module's string table where it has them,
// else the table compiled in from the help source.
#include "ui/HelpTexts.h"

#include <utility>

#include "platform/CompiledText.h"
#include "platform/ModuleText.h"

namespace tavir {
namespace {

constexpr CompiledText kHelpTexts[] = {
#define TAVIR_HELP_TEXT(id, control, text) {id, text},
#include "ui/HelpTexts.inc"
#undef TAVIR_HELP_TEXT
};
static_assert(IsSortedById(kHelpTexts), "the help texts are made in ascending id order");

}  // namespace

std::string ControlHelpText(int controlId) {
  // The module's string table first: a language resource has its own texts.
  const int id = kHelpStringBase + controlId;
  if (auto text = LoadModuleText(id))
    return *std::move(text);
  const char* found = FindCompiledText(kHelpTexts, id);
  return found ? found : "";
}

}  // namespace tavir
