// The process-wide shell: the program or a test installs one at start.
#include "platform/Shell.h"

#include <stdexcept>

namespace tavir {
namespace {
Shell* currentShell = nullptr;
}  // namespace

Shell& CurrentShell() {
  if (currentShell == nullptr)
    throw std::logic_error("No shell is installed: call SetCurrentShell before using it");
  return *currentShell;
}

void SetCurrentShell(Shell* shell) { currentShell = shell; }

}  // namespace tavir
