// The per-control help texts: the module's string table where it has them,
// else the table compiled in from the help source.
#include "ui/HelpTexts.h"

#include <utility>

#include "platform/ModuleText.h"

namespace tavir {
namespace {

struct HelpEntry {
  int control;
  const char* text;
};

constexpr HelpEntry kHelpTexts[] = {
#define TAVIR_HELP_TEXT(id, control, text) {control, text},
#include "ui/HelpTexts.inc"
#undef TAVIR_HELP_TEXT
};

}  // namespace

std::string ControlHelpText(int controlId) {
  // The module's string table first: a language resource has its own texts.
  if (auto text = LoadModuleText(kHelpStringBase + controlId))
    return *std::move(text);
  for (const HelpEntry& entry : kHelpTexts) {
    if (entry.control == controlId)
      return entry.text;
  }
  return {};
}

}  // namespace tavir
