// A first look at the command line, before the full parse: which command it
// names and whether it asks for help or the version. So `tavir COMMAND
// --help` shows that command's help, and a mistyped command is reported as
// one instead of as a stray argument.
#pragma once

#include <string>

namespace tavir {

struct CommandLineScan {
  std::string command;   // the first word that is not an option; empty when none
  bool help = false;     // -h or --help anywhere (before "--")
  bool version = false;  // --version before the command
};

CommandLineScan ScanCommandLine(int argc, char** argv);

}  // namespace tavir
