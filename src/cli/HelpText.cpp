// The help texts of `tavir`: one entry per command, from which the main
// help's command list, each command's own help and the list of commands in
// the unknown-command message are made.
#include "cli/HelpText.h"

namespace tavir {

namespace {

struct CommandHelpEntry {
  const char* name;
  const char* synopsis;  // its lines in the main help's "Commands:" section
  const char* usage;     // what follows "Usage: tavir [OPTIONS] "
  const char* details;
};

const CommandHelpEntry kCommands[] = {
    {"import",
     "  tavir import [--ignore-errors] [--encoding NAME] FILE  # reads CSV or Excel 97-2003 "
     "(.xls)\n",
     "import [--ignore-errors] [--encoding NAME] FILE",
     R"~(Adds the appointments of FILE to the datebook, through the field mapping
(tavir mapping) and the filter (the settings dofilter, filtertype and
filtertext); creates the datebook when it does not exist. A record that names
a record id the datebook knows rewrites that appointment. With noduplicates
on (the default) an appointment the datebook already holds is skipped.

Reads: CSV text (any name but those below; the settings separator and quote,
dates and times in the regional settings) and Excel 97-2003 workbooks (.xls).
Calendar files (.ics, .vcs) and newer workbooks (.xlsx) are refused: save a
workbook as "Excel 97-2003 Workbook (*.xls)" or as CSV first. A first line
that does not read as an appointment is taken for the header and skipped.

Each faulty record is reported and asks OK (skip it and go on) or Cancel
(stop). Without a terminal the answer is Cancel: the first faulty record
stops the import with exit status 1. With --yes the import goes past every
faulty record and exits with 0.

  --ignore-errors  skip faulty records without asking (the setting
                   ignoreimporterrors, for this run only); the exit status is
                   0 only when no record was faulty, else 1
  --encoding NAME  how CSV bytes are read: utf-8, windows-1252 or ansi (as
                   they are). Without it a file that starts with the UTF-8
                   mark is UTF-8, and under a UTF-8 locale a line that is not
                   UTF-8 is read as Windows-1252 (what Excel saves on western
                   Windows); the import says so

Prints "Added N, updated N, skipped N duplicates and N faulty records", then
the count line.
)~"},
    {"export",
     "  tavir export FILE             # writes by FILE's name: .xls, .vcs, .ics, else CSV (- "
     "stdout)\n",
     "export FILE",
     R"~(Writes the appointments the filter selects to FILE. In the full format
(fullformat 1, the default) every appointment once, a repeating one with its
repeat rule; in the simple format (fullformat 0) every occurrence from
daysback days before today to daysahead days after.

Writes, by the end of FILE's name (case ignored):
  .xls   an Excel 97-2003 workbook
  .vcs   vCalendar 1.0
  .ics   iCalendar 2.0
  other  CSV text (the settings separator, quote, exportnocr, datewithtime)
  -      CSV text on standard output (the summary then goes to standard error)

The export writes beside FILE and replaces it only when the file is complete:
a failed export leaves the old FILE. A symbolic link is followed; pipes and
devices are written in place; a folder, the datebook and the settings file
are refused.

Prints "Wrote N appointments to FILE". Needs an existing datebook.
)~"},
    {"count", "  tavir count                   # the count line: what an export would write\n",
     "count",
     R"~(Prints the count line: how many appointments an export would write with
the current settings (in the simple format, with its date span). Needs an
existing datebook.
)~"},
    {"list", "  tavir list                    # every appointment with its record id\n", "list",
     R"~(Prints every appointment of the datebook: its date, time and description,
a tab, and its record id. Needs an existing datebook.
)~"},
    {"archive",
     "  tavir archive [--to DATE] [--larger BYTES]  # marks old appointments for archival\n",
     "archive [--to DATE] [--larger BYTES]",
     R"~(Prints the archive statistics, then marks the appointments up to DATE for
archival at the next HotSync. Needs an existing datebook.

  --to DATE       the cut-off date, YYYY-MM-DD or the regional short date
                  (default: the start of the export span, daysback days ago)
  --larger BYTES  only appointments of at least BYTES bytes, 100 to 9999
                  (kept as the setting minsize)
)~"},
    {"remove", "  tavir remove                  # removes what count counts; asks first\n",
     "remove",
     R"~(Removes the appointments that the filter and the format select (those
that count counts), after the question "This will remove N appointments for
user NAME. Continue?". OK removes; Cancel keeps them. Without a terminal the
answer is Cancel unless --yes is given. Prints the count line afterwards.
Needs an existing datebook.
)~"},
    {"options", "  tavir options [NAME [VALUE]]  # shows or sets a setting by its registry name\n",
     "options [NAME [VALUE]]",
     R"~(Without NAME prints every setting as NAME=VALUE; with NAME prints its
value; with NAME VALUE sets it. The names are the registry value names
(fullformat, separator, quote, dofilter, filtertype, filtertext, ...).

Values are checked as the options dialog checks them: flags are 0 or 1;
defaultapptlength 1 to 999; minsize 100 to 9999; filtertype 0 to 7;
exceptiondateseparator at most one character; separator and quote must
differ; daysback and daysahead from 0 to the days that keep the export span
within 1970-01-02 and 2031-12-31. Works on the settings file only.
)~"},
    {"mapping", "  tavir mapping [VERB [FIELD...]]  # the field mapping: show or change it\n",
     "mapping [VERB [FIELD...]]",
     R"~(Shows or changes the field mapping: the columns of the simple list (every
file's first columns) and of the repeat event list (the full format's extra
columns). Fields by name or number; "tavir mapping fields" lists them.

  show               both lists (the default)
  fields             every field with its number
  simple FIELD...    sets the simple list (at least one field)
  repeat FIELD...    sets the repeat event list (at least one field)
  add FIELD          appends a field to the simple list
  delete N           removes the simple list's Nth field
  reset              the default lists

Works on the settings file only.
)~"},
    {"example", "  tavir example                 # the file format example of the settings\n",
     "example",
     R"~(Prints the file format example of the current settings: the header line
and a sample appointment, as an export would write them to a CSV file.
)~"},
    {"user", "  tavir user [NAME]             # shows or sets the datebook's Palm user\n",
     "user [NAME]",
     R"~(Without NAME prints the Palm user of the datebook (which must exist). With
NAME sets it; NAME must not be empty. Setting it creates the datebook when it
does not exist.
)~"},
};

const char* const kIntroduction =
    R"~(Usage: tavir [--datebook PATH] [--registry PATH] [--yes | --no] COMMAND [ARGS]
Moves the appointments of a Palm Datebook to and from files: CSV, Excel
97-2003 workbooks (.xls), vCalendar (.vcs) and iCalendar (.ics). tavir works
on a stand-alone datebook (an SQLite file) with the settings of the Palm
Desktop add-in (a settings file), and offers every operation of the add-in's
main dialog as a command.

)~";

const char* const kOptionsAndMore =
    R"~(  tavir --help | --version | COMMAND --help  # this help, the version, one command's help

Options:
  --datebook PATH  the datebook (default: $TAVIR_DATEBOOK, else
                   $XDG_DATA_HOME/tavir/datebook.sqlite)
  --registry PATH  the settings file (default: $TAVIR_REGISTRY, else
                   $XDG_CONFIG_HOME/tavir/registry.reg)
  --yes            answer OK to every question
  --no             answer Cancel to every question
  -h, --help       this help; after a command, that command's help
  --version        the version

Datebook:
  Only the commands that add data, import and user NAME, create a datebook
  that does not exist (the default one with its folders; the Palm user is the
  login name). Every other command reports that no datebook exists at the
  path and exits with status 1.

Questions:
  remove asks before it removes, and import asks at each faulty record (OK
  skips it, Cancel stops). The question goes to the terminal; without one (a
  pipe, a script, cron) every question is answered Cancel, so remove removes
  nothing and the first faulty record stops an import with exit status 1.
  --yes answers OK: remove removes, and an import goes past every faulty
  record and exits with 0. --no answers Cancel. import --ignore-errors skips
  faulty records without asking and exits with 0 only when none was faulty.
  Messages go to standard error, results to standard output.

Environment:
  TAVIR_DATEBOOK          the datebook when --datebook is not given
  TAVIR_REGISTRY          the settings file when --registry is not given
  XDG_DATA_HOME           folder of the default datebook (~/.local/share)
  XDG_CONFIG_HOME         folder of the default settings (~/.config)
  TAVIR_LOCALE            the regional settings: en-US, en-GB, de-DE or
                          fr-FR (date and time forms, the list separator)
  LC_ALL, LC_TIME, LANG   the regional settings when TAVIR_LOCALE is unset
  LC_ALL, LC_CTYPE, LANG  the code page of files: UTF-8 when the locale's
                          codeset is UTF-8, else Windows-1252 (import
                          --encoding chooses for one file)
  TAVIR_NOW               the current time, e.g. 2005-11-10T16:42:17
  TZ                      the time zone of the datebook and of "today"
  LOGNAME, USER           the Palm user of a new datebook

Exit status:
  0  done
  1  the operation failed or was stopped, and a message said why
  2  a usage error (unknown command or option, a value out of range)
  3  a host error ("Error during Import/Export")

Ctrl-C ends a running operation cleanly: the file is closed and complete up
to its last record, and the datebook keeps what was done before.
)~";

const CommandHelpEntry* Find(const std::string& name) {
  for (const CommandHelpEntry& entry : kCommands)
    if (name == entry.name)
      return &entry;
  return nullptr;
}

}  // namespace

std::vector<std::string> CommandNames() {
  std::vector<std::string> names;
  for (const CommandHelpEntry& entry : kCommands)
    names.emplace_back(entry.name);
  return names;
}

bool IsCommand(const std::string& name) {
  return Find(name) != nullptr;
}

std::string MainHelp() {
  std::string text = kIntroduction;
  text += "Commands:\n";
  for (const CommandHelpEntry& entry : kCommands)
    text += entry.synopsis;
  return text + kOptionsAndMore;
}

std::optional<std::string> CommandHelp(const std::string& name) {
  const CommandHelpEntry* entry = Find(name);
  if (!entry)
    return std::nullopt;
  return std::string("Usage: tavir [OPTIONS] ") + entry->usage + "\n\n" + entry->details +
         "\nOPTIONS are those of 'tavir --help': --datebook, --registry, --yes, --no.\n";
}

std::string VersionText() {
  return std::string("tavir ") + TAVIR_VERSION + "\n";
}

std::string UnknownCommandText(const std::string& word) {
  const std::string opening =
      word.empty() ? "tavir: no command given." : "tavir: unknown command \"" + word + "\".";
  std::string names;
  for (const CommandHelpEntry& entry : kCommands)
    names += (names.empty() ? "" : ", ") + std::string(entry.name);
  return opening + " The commands are: " + names +
         ".\nRun 'tavir --help' for more, or 'tavir COMMAND --help' for one command.\n";
}

}  // namespace tavir
