// Portable Automation port: program identifiers name the in-process servers
// that the program wired in; there is no system registry of servers.
#include "platform/AutomationServers.h"

namespace tavir {

namespace {
constexpr HRESULT kClassNotRegistered = static_cast<HRESULT>(0x80040154);
}

HRESULT CreateAutomationObject(const std::string& programId, ComPtr<IDispatch>& object) {
  object.Reset();
  const WiredServer* server = FindWiredServer(programId);
  if (!server) return kClassNotRegistered;
  return server->factory(object.Receive());
}

void RegisterAutomationServer(const std::string& programId, AutomationFactory factory,
                              std::vector<std::string> machineKeys) {
  WiredServers()[programId] = WiredServer{std::move(factory), std::move(machineKeys)};
}

void UnregisterAutomationServer(const std::string& programId) { WiredServers().erase(programId); }

}  // namespace tavir
