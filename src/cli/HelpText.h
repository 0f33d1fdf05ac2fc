// The texts of `tavir --help`, `tavir COMMAND --help` and `tavir --version`,
// and the list of commands that dispatch and the help share. The man page is
// made from the main help, and the README's command reference repeats its
// "Commands:" section.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavir {

// The command names, in the order the help lists them.
std::vector<std::string> CommandNames();
bool IsCommand(const std::string& name);

std::string MainHelp();
// None for a word that is not a command.
std::optional<std::string> CommandHelp(const std::string& name);
std::string VersionText();
// For a word in the command's place that is not one, listing the commands.
std::string UnknownCommandText(const std::string& word);

}  // namespace tavir
