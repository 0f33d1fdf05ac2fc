// The wired in-process automation servers, for the two implementations of
// the Automation port.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Automation.h"

namespace tavir {

struct WiredServer {
  AutomationFactory factory;
  std::vector<std::string> machineKeys;
};

std::map<std::string, WiredServer>& WiredServers();
// Program identifiers compare without case, as the registry does.
const WiredServer* FindWiredServer(const std::string& programId);

}  // namespace tavir
