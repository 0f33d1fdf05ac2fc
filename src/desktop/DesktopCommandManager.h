// The host's command manager (IDesktopCommandManager): records the commands
// and menu items an add-in registers, so that tests can look at them and run
// the registered command.
#pragma once

#include <memory>
#include <vector>

#include "desktop/DesktopObject.h"
#include "host/DesktopInterfaces.h"

namespace tavir {

struct RegisteredCommand {
  HostLong cookie = 0;
  WideString name;
  ComPtr<IUnknown> command;  // the host holds the command object
  HostLong commandId = 0;
};

struct AddedMenuItem {
  HostLong commandId = 0;
  void* module = nullptr;
  HostLong resourceId = 0;
  WideString text;
  HostLong flags = 0;
};

class DesktopCommandManager final : public DesktopObject<IDesktopCommandManager> {
 public:
  explicit DesktopCommandManager(std::shared_ptr<FaultInjector> faults);

  HRESULT STDMETHODCALLTYPE RegisterCommand(HostLong cookie, BSTR name, IUnknown* command,
                                            HostLong* commandId) override;
  HRESULT STDMETHODCALLTYPE AddMenuItem(HostLong commandId, void* module, HostLong resourceId,
                                        BSTR menuText, HostLong flags) override;

  const std::vector<RegisteredCommand>& Commands() const { return commands_; }
  const std::vector<AddedMenuItem>& MenuItems() const { return menuItems_; }
  // Lets go of the command objects, as a host does when it shuts down; the
  // command usually holds the application, so this breaks that cycle.
  void ReleaseCommands();

 protected:
  bool Offers(REFIID iid) const override { return IsEqualIID(iid, IID_IDesktopCommandManager); }

 private:
  std::vector<RegisteredCommand> commands_;
  std::vector<AddedMenuItem> menuItems_;
};

}  // namespace tavir
