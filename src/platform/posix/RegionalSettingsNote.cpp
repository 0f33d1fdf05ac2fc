// POSIX: there are no Windows Regional Settings; the locale gives the forms.
#include "platform/RegionalSettingsNote.h"

namespace tavir {

std::string_view RegionalSettingsNote() {
  return "(regional settings)";
}

}  // namespace tavir
