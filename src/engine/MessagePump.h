// Keeps the user interface alive between items of a long operation.
#pragma once

namespace tavir {

// 0 normally; -1 when the application is quitting (the quit message has been
// posted again for the outer loop).
int PumpMessages();

}  // namespace tavir
