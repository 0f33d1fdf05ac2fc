// Windows: the field messages keep the resource texts.
#include "platform/RegionalSettingsNote.h"

namespace tavir {

std::string_view RegionalSettingsNote() {
  return kWindowsRegionalSettingsNote;
}

}  // namespace tavir
