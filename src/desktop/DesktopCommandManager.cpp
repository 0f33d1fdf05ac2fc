// The command manager: command ids from 1 in order of registration.
#include "desktop/DesktopCommandManager.h"

#include <string>

namespace tavir {

DesktopCommandManager::DesktopCommandManager(std::shared_ptr<FaultInjector> faults)
    : DesktopObject("IDesktopCommandManager", std::move(faults)) {}

HRESULT DesktopCommandManager::RegisterCommand(HostLong cookie, BSTR name, IUnknown* command,
                                               HostLong* commandId) {
  return Run("RegisterCommand", [&] {
    if (!commandId)
      return E_POINTER;
    if (!command)
      return ReportError(E_INVALIDARG, "No command object given.");
    const HostLong id = static_cast<HostLong>(commands_.size()) + 1;
    commands_.push_back({cookie, TextOf(name), ComPtr<IUnknown>(command), id});
    *commandId = id;
    return S_OK;
  });
}

HRESULT DesktopCommandManager::AddMenuItem(HostLong commandId, void* module, HostLong resourceId,
                                           BSTR menuText, HostLong flags) {
  return Run("AddMenuItem", [&] {
    if (commandId < 1 || commandId > static_cast<HostLong>(commands_.size())) {
      return ReportError(E_INVALIDARG, "Unknown command id " + std::to_string(commandId) + ".");
    }
    menuItems_.push_back({commandId, module, resourceId, TextOf(menuText), flags});
    return S_OK;
  });
}

void DesktopCommandManager::ReleaseCommands() {
  for (RegisteredCommand& registered : commands_)
    registered.command.Reset();
}

}  // namespace tavir
