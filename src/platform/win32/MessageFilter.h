// Windows: the modal loops that are running, innermost last. Each loop
// pre-translates its messages (accelerators, dialog keys); the message pump
// of a long operation gives every message the same treatment.
#pragma once

#include "platform/win32/WindowsApi.h"

namespace tavir {

class MessageFilter {
 public:
  // True when the message was handled and must not be dispatched.
  virtual bool PreTranslateMessage(MSG& message) = 0;

 protected:
  ~MessageFilter() = default;
};

// A loop registers its filter while it runs; the calls nest.
void PushMessageFilter(MessageFilter& filter);
void PopMessageFilter();

// The innermost filter's pre-translation, then TranslateMessage and
// DispatchMessage unless the filter handled it.
void DispatchLoopMessage(MSG& message);

}  // namespace tavir
