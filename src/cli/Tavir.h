// Argument parsing and dispatch of the `tavir` command.
#pragma once

namespace tavir {

// Exit status: 0 done; 1 the operation failed and a message said why; 2 a
// usage error; 3 a host error ("Error during Import/Export:\n%s").
enum ExitStatus : int { kExitDone = 0, kExitFailed = 1, kExitUsage = 2, kExitHostError = 3 };

int RunTavir(int argc, char** argv);

}  // namespace tavir
