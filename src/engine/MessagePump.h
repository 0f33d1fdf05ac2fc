// Keeps the user interface alive between items of a long operation.
#pragma once

namespace tavir {

enum class PumpResult {
  Continue = 0,
  // The application is quitting (the quit message has been posted again for
  // the outer loop): stop the operation.
  Quit = -1,
};

PumpResult PumpMessages();

}  // namespace tavir
