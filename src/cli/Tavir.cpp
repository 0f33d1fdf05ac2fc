// `tavir [--datebook PATH] [--registry PATH] [--yes | --no] COMMAND [ARGS]`.
#include "cli/Tavir.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "cli/CommandContext.h"
#include "cli/Commands.h"
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
  if (!given.empty()) return {given, false};
  if (const char* path = std::getenv("TAVIR_DATEBOOK"); path && *path) return {path, false};
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
    return {std::string(data) + "/tavir/datebook.sqlite", true};
  if (const char* home = std::getenv("HOME"); home && *home)
    return {std::string(home) + "/.local/share/tavir/datebook.sqlite", true};
  return {"datebook.sqlite", false};
}

const char* const kDescription =
    "tavir moves the appointments of a Palm Datebook to and from files: CSV, Excel\n"
    "workbooks (.xls), vCalendar (.vcs) and iCalendar (.ics). It works on a\n"
    "stand-alone datebook (an SQLite file) with the settings of the add-in.\n"
    "The format of a file is chosen by its extension; everything else is CSV.\n"
    "Exit status: 0 done; 1 the operation failed and a message said why;\n"
    "2 a usage error; 3 a host error.";

struct Arguments {
  std::string datebook;
  std::string registry;
  bool yes = false;
  bool no = false;
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

}  // namespace

int RunTavir(int argc, char** argv) {
  CLI::App app{kDescription, "tavir"};
  Arguments args;
  app.add_option("--datebook", args.datebook,
                 "The datebook file (default: $TAVIR_DATEBOOK, else "
                 "$XDG_DATA_HOME/tavir/datebook.sqlite); created when missing, with the login "
                 "name as the Palm user");
  app.add_option("--registry", args.registry,
                 "The settings file (default: $TAVIR_REGISTRY, else "
                 "$XDG_CONFIG_HOME/tavir/registry.reg)");
  CLI::Option* yes = app.add_flag("--yes", args.yes, "Answer OK to every question");
  app.add_flag("--no", args.no, "Answer Cancel to every question")->excludes(yes);
  app.require_subcommand(1, 1);

  std::function<int(CommandContext&)> run;
  auto command = [&](const char* name, const char* help, std::function<int(CommandContext&)> f) {
    CLI::App* sub = app.add_subcommand(name, help);
    sub->callback([&run, f] { run = f; });
    return sub;
  };
  command("count", "Print the count line: how many appointments an export would write",
          [](CommandContext& c) { return CountCommand(c); });
  command("export",
          "Export the datebook to FILE (full or simple format by the options; format by the "
          "extension: .xls, .vcs, .ics, anything else CSV); an existing FILE is replaced",
          [&](CommandContext& c) { return ExportCommand(c, args.file); })
      ->add_option("FILE", args.file, "The file to write")
      ->required();
  command("import", "Import the appointments of a CSV file or an Excel workbook (.xls)",
          [&](CommandContext& c) { return ImportCommand(c, args.file); })
      ->add_option("FILE", args.file, "The file to read")
      ->required();
  CLI::App* archive = command(
      "archive",
      "Print the archive statistics, then mark the appointments up to a date (and optionally "
      "only the large ones) for archival",
      [&](CommandContext& c) { return ArchiveCommand(c, args.archive); });
  archive->add_option("--to", args.archive.to,
                      "Archive appointments up to this date (YYYY-MM-DD or the regional short "
                      "date; default: the export span's start)");
  archive->add_option("--larger", args.archive.larger,
                      "Only appointments of at least BYTES bytes (100 to 9999; kept as minsize)");
  command("remove",
          "Remove the appointments the filter and the format select (after a question; "
          "answer it with --yes or --no)",
          [](CommandContext& c) { return RemoveCommand(c); });
  command("options",
          "Show all options, one option, or set one: options [NAME [VALUE]] (registry value "
          "names, e.g. fullformat, separator, dofilter, filtertype, filtertext)",
          [&](CommandContext& c) { return OptionsCommand(c, args.words); })
      ->add_option("ARGS", args.words, "NAME [VALUE]");
  command("mapping",
          "Show or change the field mapping: mapping [show | fields | simple FIELD... | repeat "
          "FIELD... | add FIELD | delete POSITION | reset]; fields by name or number",
          [&](CommandContext& c) { return MappingCommand(c, args.words); })
      ->add_option("ARGS", args.words, "Subcommand and fields");
  command("example", "Print the file format example of the current options",
          [](CommandContext& c) { return ExampleCommand(c); });
  command("user", "Show the datebook's Palm user, or set it: user [NAME]",
          [&](CommandContext& c) { return UserCommand(c, args.user); })
      ->add_option("NAME", args.user, "The new user name");
  command("list", "List every appointment: its description and its record id",
          [](CommandContext& c) { return ListCommand(c); });

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }

  if (!args.registry.empty()) setenv("TAVIR_REGISTRY", args.registry.c_str(), 1);
  std::optional<MessageAnswer> answer;
  if (args.yes) answer = MessageAnswer::Ok;
  if (args.no) answer = MessageAnswer::Cancel;
  // Excel workbooks go through the spreadsheet stand-in wired in as "Excel.Application".
  spreadsheet::RegisterSpreadsheetStandIn();
  TerminalShell shell(answer);
  SetCurrentShell(&shell);
  struct ShellReset {
    ~ShellReset() { SetCurrentShell(nullptr); }
  } shellReset;

  try {
    CheckSettings();
    CommandContext context(ChooseDatebook(args.datebook), std::cout);
    context.options().Load();
    int status = kExitDone;
    try {
      status = run(context);
    } catch (const ComError&) {
      // Whatever the host already did stays done, as in the organizer itself.
      if (context.HasDatebook()) context.Datebook().Commit();
      throw;
    }
    if (context.HasDatebook()) context.Datebook().Commit();
    std::cout.flush();
    return status;
  } catch (const ComError& error) {
    std::string text = error.ErrorMessage();
    if (!error.Description().empty() && error.Description() != text)
      text += "\n" + error.Description();
    std::fprintf(stderr, "%s\n",
                 FormatMessageText(LoadText(text::ErrorDuringImportExport).c_str(), text.c_str())
                     .c_str());
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

}  // namespace tavir
