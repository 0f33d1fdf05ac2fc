// `tavir count`, `export`, `import` and `list`: the main dialog's count line,
// Export and Import, and a listing of the datebook.
#include <cstdio>
#include <iostream>
#include <string>

#include "cli/Commands.h"
#include "cli/ImportFileCheck.h"
#include "cli/Tavir.h"
#include "cli/TerminalShell.h"
#include "engine/ExportDriver.h"
#include "engine/ImportDriver.h"
#include "engine/WriterErrors.h"
#include "host/HostCalls.h"
#include "host/Transfer.h"
#include "platform/FilePaths.h"
#include "platform/Registry.h"
#include "ui/CountLine.h"
#include "ui/MainDialogTexts.h"

namespace tavir {

namespace {

void ReportReadError(const std::string& reason) {
  std::fprintf(stderr, "%s\n", ReadErrorText(reason).c_str());
}

// Stores the file's name as the last file and nothing else: the run's other
// settings were read when it started, and writing them back could undo a
// change another run made meanwhile.
void RememberLastFile(Options& options, const std::string& file) {
  options.lastfile = file;
  RegSetString(kOptionsKey, "lastfile", file);
}

}  // namespace

bool WriteCountLine(CommandContext& context) {
  bool stopped = false;
  const int count = CountExportable(context.options(), &stopped);
  context.out() << (stopped ? "The count was interrupted."
                            : CountLineText(context.options(), count))
                << '\n';
  return !stopped;
}

int CountCommand(CommandContext& context) {
  context.Datebook();
  return WriteCountLine(context) ? kExitDone : kExitFailed;
}

int ExportCommand(CommandContext& context, const std::string& file) {
  Options& options = context.options();
  context.Datebook();
  // "-" is standard output, for pipes; the summary then goes to stderr.
  const bool toStandardOutput = file == "-";
  const std::string target = toStandardOutput ? "/dev/stdout" : file;
  for (const std::string& kept : {context.DatebookPath(), SettingsFilePath()}) {
    if (!kept.empty() && IsSameFile(target, kept)) {
      ReportWriteError(FileError(file + " is the " +
                                 (kept == context.DatebookPath() ? "datebook" : "settings file") +
                                 " in use; an export never replaces it."));
      return kExitFailed;
    }
  }
  if (!toStandardOutput)
    RememberLastFile(options, file);
  ExportStatus status;
  int written = 0;
  {
    ProgressShown shown(context.progress());
    written = options.fullformat
                  ? ExportFull(target, options, &context.progress(), &status)
                  : ExportSimple(target, options.GetSpanStart(), options.GetSpanEnd(), options,
                                 &context.progress(), &status);
  }
  if (status.noWriter)
    return kExitFailed;
  std::ostream& summary = toStandardOutput ? std::cerr : context.out();
  if (status.writeFailed && !status.targetKept) {
    summary << "The export to " << file << " failed part way.\n";
    return kExitFailed;
  }
  summary << "Wrote " << written << (written == 1 ? " appointment" : " appointments") << " to "
          << file << (status.stopped ? " (interrupted)" : "")
          << (status.writeFailed ? "; it was left as it was" : "") << '\n';
  return status.writeFailed || status.stopped ? kExitFailed : kExitDone;
}

int ImportCommand(CommandContext& context, const std::string& file, bool ignoreErrors,
                  const std::string& encoding) {
  Options& options = context.options();
  if (const std::optional<std::string> problem = CheckImportFile(file)) {
    ReportReadError(*problem);
    return kExitFailed;
  }
  context.Datebook(WhenMissing::Create);
  RememberLastFile(options, file);
  // For this run only: the stored setting stays as it was.
  if (ignoreErrors)
    options.ignoreimporterrors = 1;
  options.importencoding = encoding;
  ImportSummary summary;
  int result = 0;
  {
    ProgressShown shown(context.progress());
    result = ImportFile(file, options, &context.progress(), &summary);
  }
  if (result < 0) {
    ReportReadError(file + ": " + summary.openFailure);
    return kExitFailed;
  }
  if (summary.linesReadAsWindows1252 > 0)
    context.out() << file << " is not UTF-8: read " << summary.linesReadAsWindows1252
                  << (summary.linesReadAsWindows1252 == 1 ? " line" : " lines")
                  << " as Windows-1252 (--encoding chooses)\n";
  context.out() << "Added " << summary.added << ", updated " << summary.updated << ", skipped "
                << summary.duplicates << " duplicates and " << summary.faulty << " faulty records"
                << (summary.stopped ? " (stopped)" : "") << '\n';
  // The import took the Ctrl-C; the count shows what it left in the datebook.
  if (summary.stopped)
    TerminalShell::TakeQuitRequest();
  WriteCountLine(context);
  // Faulty records skipped without a question leave the import incomplete;
  // records the user let pass (OK, or --yes) do not.
  const bool skippedSilently = options.ignoreimporterrors && summary.faulty > 0;
  return summary.readFailed || summary.stopped || skippedSilently ? kExitFailed : kExitDone;
}

int ListCommand(CommandContext& context) {
  Options& options = context.options();
  context.Datebook();
  ComPtr<IDesktopDatebook> datebook = OpenDatebook(options);
  ComPtr<IDesktopAppointments> appointments = QueryAllAppointments(datebook.Get());
  for (HostLong i = 0; i < ReadCount(appointments.Get()); ++i) {
    ComPtr<IDesktopAppointment> appointment = ReadItem(appointments.Get(), i);
    if (!appointment)
      continue;
    AppointmentRecord record(options);
    const bool valid = ReadFromHost(record, appointment.Get()) == 0;
    context.out() << record.GetDisplayText() << (valid ? "" : " (no valid start or end)") << "\t"
                  << record.recordId << '\n';
  }
  return kExitDone;
}

}  // namespace tavir
