// The table of wired in-process automation servers, shared by both platforms.
#include "platform/AutomationServers.h"

#include <algorithm>
#include <cctype>

#include "platform/Registry.h"

namespace tavir {

namespace {
bool SameText(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}
}  // namespace

std::map<std::string, WiredServer>& WiredServers() {
  static std::map<std::string, WiredServer> servers;
  return servers;
}

const WiredServer* FindWiredServer(const std::string& programId) {
  for (const auto& [id, server] : WiredServers())
    if (SameText(id, programId)) return &server;
  return nullptr;
}

bool AutomationMachineKeyExists(const std::string& keyPath) {
  if (LocalMachineKeyExists(keyPath)) return true;
  for (const auto& [id, server] : WiredServers())
    for (const std::string& key : server.machineKeys)
      if (SameText(key, keyPath)) return true;
  return false;
}

}  // namespace tavir
