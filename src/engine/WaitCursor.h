// Shows the wait cursor for a scope and restores the normal one at its end.
#pragma once

#include "platform/Shell.h"

namespace tavir {

class WaitCursor {
 public:
  WaitCursor() { CurrentShell().ShowWaitCursor(); }
  ~WaitCursor() { CurrentShell().RestoreCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

  // The message pump may have changed the cursor: show the wait cursor again.
  void Restore() { CurrentShell().ShowWaitCursor(); }
};

}  // namespace tavir
