// `tavir [--datebook PATH] [--registry PATH] [--yes | --no] COMMAND [ARGS]`.
#include "cli/Tavir.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <optional>

#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/HelpText.h"
#include "model/Strings.h"
#include "platform/Clock.h"
#include "platform/ComError.h"
#include "platform/ConfigurationError.h"
#include "platform/Locale.h"
#include "platform/Registry.h"
#include "spreadsheet/StandIn.h"

namespace tavir {

namespace {

// The datebook a command uses. The one in the data directory is made on
// first use, its folders included; a path the user names must exist up to
// its folder, so that a mistyped one is reported rather than created.
DatebookLocation ChooseDatebook(const std::string& given) {
  if (!given.empty())
    return {given, false};
  if (const char* path = std::getenv("TAVIR_DATEBOOK"); path && *path)
    return {path, false};
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
    return {std::string(data) + "/tavir/datebook.sqlite", true};
  if (const char* home = std::getenv("HOME"); home && *home)
    return {std::string(home) + "/.local/share/tavir/datebook.sqlite", true};
  return {"datebook.sqlite", false};
}

struct Arguments {
  std::string datebook;
  std::string registry;
  bool yes = false;
  bool no = false;
  bool ignoreErrors = false;
  std::string encoding;
  std::string file;
  ArchiveArguments archive;
  std::optional<std::string> user;
  std::vector<std::string> words;
};

// Checks what the environment and the settings store give before anything
// runs, so that a damaged setting is reported instead of silently replaced.
void CheckSettings() {
  CheckLocaleSetting();
  CheckRegistryStore();
  CurrentTime();
}

// Help, the version and a word that is not a command are answered before
// the full parse, whatever else the line holds.
std::optional<int> AnswerWithoutRunning(int argc, char** argv) {
  const CommandLineScan scan = ScanCommandLine(argc, argv);
  if (!scan.command.empty() && !IsCommand(scan.command)) {
    std::fputs(UnknownCommandText(scan.command).c_str(), stderr);
    return kExitUsage;
  }
  if (scan.help) {
    std::fputs((scan.command.empty() ? MainHelp() : *CommandHelp(scan.command)).c_str(), stdout);
    return kExitDone;
  }
  if (scan.version) {
    std::fputs(VersionText().c_str(), stdout);
    return kExitDone;
  }
  if (scan.command.empty()) {
    std::fputs(UnknownCommandText("").c_str(), stderr);
    return kExitUsage;
  }
  return std::nullopt;
}

using CommandRunner = std::function<int(CommandContext&)>;

// The options and commands of the line; parsing puts the chosen command's
// runner into run and its arguments into args.
void DeclareCommandLine(CLI::App& app, Arguments& args, CommandRunner& run) {
  app.set_help_flag();  // the help is ours; subcommands inherit the absence
  app.add_option("--datebook", args.datebook, "The datebook file");
  app.add_option("--registry", args.registry, "The settings file");
  CLI::Option* yes = app.add_flag("--yes", args.yes, "Answer OK to every question");
  app.add_flag("--no", args.no, "Answer Cancel to every question")->excludes(yes);
  app.require_subcommand(1, 1);

  // The commands' descriptions live in HelpText.cpp; CLI11 only parses.
  auto command = [&app, &run](const char* name, CommandRunner f) {
    CLI::App* sub = app.add_subcommand(name);
    sub->callback([&run, f] { run = f; });
    return sub;
  };
  CLI::App* import = command("import", [&args](CommandContext& c) {
    return ImportCommand(c, args.file, args.ignoreErrors, args.encoding);
  });
  import->add_flag("--ignore-errors", args.ignoreErrors);
  import->add_option("--encoding", args.encoding)
      ->check(CLI::IsMember({"utf-8", "windows-1252", "ansi"}, CLI::ignore_case));
  import->add_option("FILE", args.file)->required();
  command("export", [&args](CommandContext& c) { return ExportCommand(c, args.file); })
      ->add_option("FILE", args.file)
      ->required();
  command("count", [](CommandContext& c) { return CountCommand(c); });
  command("list", [](CommandContext& c) { return ListCommand(c); });
  CLI::App* archive =
      command("archive", [&args](CommandContext& c) { return ArchiveCommand(c, args.archive); });
  archive->add_option("--to", args.archive.to);
  archive->add_option("--larger", args.archive.larger);
  command("remove", [](CommandContext& c) { return RemoveCommand(c); });
  command("options", [&args](CommandContext& c) {
    return OptionsCommand(c, args.words);
  })->add_option("ARGS", args.words);
  command("mapping", [&args](CommandContext& c) {
    return MappingCommand(c, args.words);
  })->add_option("ARGS", args.words);
  command("example", [](CommandContext& c) { return ExampleCommand(c); });
  command("user", [&args](CommandContext& c) {
    return UserCommand(c, args.user);
  })->add_option("NAME", args.user);
}

// What --yes or --no answers to every question; none asks the terminal.
std::optional<MessageAnswer> GivenAnswer(const Arguments& args) {
  if (args.no)
    return MessageAnswer::Cancel;
  if (args.yes)
    return MessageAnswer::Ok;
  return std::nullopt;
}

// Runs the command on the datebook and commits what it did, also when a
// host error ends it: whatever the host already did stays done, as in the
// organizer itself.
int RunCommand(const CommandRunner& run, const std::string& datebook) {
  CheckSettings();
  CommandContext context(ChooseDatebook(datebook), std::cout);
  context.options().Load();
  int status = kExitDone;
  try {
    status = run(context);
  } catch (const ComError&) {
    if (context.HasDatebook())
      context.Datebook().Commit();
    throw;
  }
  if (context.HasDatebook())
    context.Datebook().Commit();
  std::cout.flush();
  return status;
}

// Says on stderr why the command failed and gives the exit status; called
// while the failure is being handled. Other failures pass on.
int ReportFailure() {
  try {
    throw;
  } catch (const ComError& error) {
    std::string text = error.ErrorMessage();
    if (!error.Description().empty() && error.Description() != text)
      text += "\n" + error.Description();
    std::fprintf(
        stderr, "%s\n",
        FormatMessageText(LoadText(text::ErrorDuringImportExport).c_str(), text.c_str()).c_str());
    return kExitHostError;
  } catch (const ConfigurationError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return kExitFailed;
  } catch (const std::runtime_error& error) {
    // Datebook store failures ("in use", not a datebook, damaged) among them.
    std::fprintf(stderr, "%s\n", error.what());
    return kExitFailed;
  }
}

}  // namespace

int RunTavir(int argc, char** argv) {
  if (const std::optional<int> status = AnswerWithoutRunning(argc, argv))
    return *status;
  CLI::App app{"", "tavir"};
  Arguments args;
  CommandRunner run;
  DeclareCommandLine(app, args, run);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }

  if (!args.registry.empty())
    UseSettingsFile(args.registry);
  // Excel workbooks go through the spreadsheet stand-in wired in as "Excel.Application".
  spreadsheet::RegisterSpreadsheetStandIn();
  TerminalShell shell(GivenAnswer(args));
  SetCurrentShell(&shell);
  struct ShellReset {
    ~ShellReset() { SetCurrentShell(nullptr); }
  } shellReset;
  try {
    return RunCommand(run, args.datebook);
  } catch (...) {
    return ReportFailure();
  }
}

}  // namespace tavir
