// One run of the add-in's command (Windows): the language file, the options,
// the main dialog.
#pragma once

#include "platform/ComPtr.h"

namespace tavir::addin {

// Runs the main dialog over the host's Datebook until the user closes it. A
// COM failure anywhere in it ends the run with "Error during Import/Export:".
void RunCommand(const ComPtr<IUnknown>& host);

}  // namespace tavir::addin
