// The first look at `tavir`'s command line.
#include "cli/CommandLine.h"

namespace tavir {

CommandLineScan ScanCommandLine(int argc, char** argv) {
  CommandLineScan scan;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--")
      break;
    if (word == "-h" || word == "--help") {
      scan.help = true;
    } else if (!scan.command.empty()) {
      continue;  // the command's own arguments
    } else if (word == "--version") {
      scan.version = true;
    } else if (word == "--datebook" || word == "--registry") {
      ++i;  // its value, whatever it looks like
    } else if (word.empty() || word[0] != '-') {
      scan.command = word;
    }
  }
  return scan;
}

}  // namespace tavir
