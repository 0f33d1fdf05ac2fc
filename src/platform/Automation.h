// Automation servers by program identifier, such as "Excel.Application".
// Windows: the registered COM server (CLSIDFromProgID, CoCreateInstance).
// Portable: the in-process servers that the program wires in at start-up.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ComPtr.h"

namespace tavir {

// A new instance of the server's application object. Failures are returned,
// not thrown: REGDB_E_CLASSNOTREG (0x80040154) when nothing answers to programId.
HRESULT CreateAutomationObject(const std::string& programId, ComPtr<IDispatch>& object);

// Creates one new object per call; the caller owns the reference.
using AutomationFactory = std::function<HRESULT(IDispatch** object)>;

// Wires an in-process server under programId. machineKeys are the
// HKEY_LOCAL_MACHINE keys its installation would create; they make
// AutomationMachineKeyExists true. On Windows the factory is offered to COM
// as the registered class object of programId for this process.
void RegisterAutomationServer(const std::string& programId, AutomationFactory factory,
                              std::vector<std::string> machineKeys = {});
void UnregisterAutomationServer(const std::string& programId);

// Whether an HKEY_LOCAL_MACHINE key of an installed server exists: in the
// registry, or declared by a wired in-process server.
bool AutomationMachineKeyExists(const std::string& keyPath);

}  // namespace tavir
