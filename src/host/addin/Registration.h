// What registering the module writes and unregistering removes (Windows):
// the add-in class's keys, the type library, the entry in the host's list
// of add-ins.
#pragma once

#include "platform/Com.h"

namespace tavir::addin {

// The class keys and the type library, then the host's list; the result is
// that of the first part: the host's list may be missing.
HRESULT RegisterModule();
// Removes all of it; S_OK also without the host's list.
HRESULT UnregisterModule();

// The host's list of add-ins (DesktopAddinRegistry): entering replaces an
// existing entry of the add-in class; both do nothing when the host is not
// installed, and host failures end them silently.
void EnterInHostList();
void RemoveFromHostList();

}  // namespace tavir::addin
