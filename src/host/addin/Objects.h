// The add-in's two COM objects (Windows): TAVIRAddInAddin, which the host
// creates through the class factory, and TAVIRAddInCommand, which only the
// add-in object creates.
#pragma once

#include "host/addin/AddinInterfaces.h"
#include "platform/ComPtr.h"

namespace tavir::addin {

// A new add-in object, not yet initialized.
ComPtr<IDesktopAddin> NewAddinObject();
// A new command object holding its own reference to host.
ComPtr<IDesktopCommand> NewCommandObject(const ComPtr<IUnknown>& host);

}  // namespace tavir::addin
