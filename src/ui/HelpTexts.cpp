// The per-control help texts compiled in from the generated table.
#include "ui/HelpTexts.h"

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
  for (const HelpEntry& entry : kHelpTexts) {
    if (entry.control == controlId)
      return entry.text;
  }
  return {};
}

}  // namespace tavir
