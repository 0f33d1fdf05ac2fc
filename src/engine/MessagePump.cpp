// The pump itself is the shell's: Win32 messages, the terminal's Ctrl-C, or a test's script.
#include "engine/MessagePump.h"

#include "platform/Shell.h"

namespace tavir {

PumpResult PumpMessages() {
  return CurrentShell().PumpMessages() ? PumpResult::Continue : PumpResult::Quit;
}

}  // namespace tavir
