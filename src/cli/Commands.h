// The commands of `tavir`, one per operation of the main dialog. Each returns
// the exit status; host errors (ComError) pass to the caller.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/CommandContext.h"

namespace tavir {

int CountCommand(CommandContext& context);
// Writes the count line. When Ctrl-C stops the count it says so instead of
// giving a number short of the truth, and returns false.
bool WriteCountLine(CommandContext& context);
int ExportCommand(CommandContext& context, const std::string& file);
// ignoreErrors: skip faulty records without asking, for this run only.
// encoding: empty, or how CSV bytes are read ("utf-8", "windows-1252", "ansi").
int ImportCommand(CommandContext& context, const std::string& file, bool ignoreErrors,
                  const std::string& encoding);
int ListCommand(CommandContext& context);

struct ArchiveArguments {
  std::optional<std::string> to;      // cut-off date; default the span start
  std::optional<std::string> larger;  // only appointments of at least this many bytes
};
int ArchiveCommand(CommandContext& context, const ArchiveArguments& arguments);
int RemoveCommand(CommandContext& context);
int UserCommand(CommandContext& context, const std::optional<std::string>& name);

int OptionsCommand(CommandContext& context, const std::vector<std::string>& arguments);
int MappingCommand(CommandContext& context, const std::vector<std::string>& arguments);
int ExampleCommand(CommandContext& context);

}  // namespace tavir
