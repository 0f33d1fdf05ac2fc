// `tavir count`, `export`, `import` and `list`: the main dialog's count line,
// Export and Import, and a listing of the datebook.
#include <cstdio>
#include <cstring>
#include <fstream>

#include "cli/Commands.h"
#include "cli/Tavir.h"
#include "cli/TerminalShell.h"
#include "engine/ExportDriver.h"
#include "engine/ImportDriver.h"
#include "formats/FileFactories.h"
#include "host/HostCalls.h"
#include "host/Transfer.h"
#include "ui/CountLine.h"
#include "ui/MainDialogTexts.h"

namespace tavir {

namespace {

// A CSV file is text: NUL bytes mean a binary file or a UTF-16 one, whose
// lines the reader would take as a header and then silently skip.
bool LooksLikeBinary(const std::string& file) {
  if (HasExtension(file, ".xls"))
    return false;
  std::ifstream in(file, std::ios::binary);
  char buffer[65536];
  in.read(buffer, sizeof buffer);
  return std::memchr(buffer, '\0', static_cast<std::size_t>(in.gcount())) != nullptr;
}

void ReportReadError(const std::string& reason) {
  std::fprintf(stderr, "%s\n", ReadErrorText(reason).c_str());
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
  options.lastfile = file;
  options.Save();
  // As the Save dialog does after the user agreed to replace the file.
  std::remove(file.c_str());
  ExportStatus status;
  int written = 0;
  {
    ProgressShown shown(context.progress());
    written = options.fullformat ? ExportFull(file, options, &context.progress(), &status)
                                 : ExportSimple(file, options.GetSpanStart(), options.GetSpanEnd(),
                                                options, &context.progress(), &status);
  }
  if (status.noWriter)
    return kExitFailed;
  context.out() << "Wrote " << written << (written == 1 ? " appointment" : " appointments")
                << " to " << file << (status.stopped ? " (interrupted)" : "") << '\n';
  return status.writeFailed || status.stopped ? kExitFailed : kExitDone;
}

int ImportCommand(CommandContext& context, const std::string& file) {
  Options& options = context.options();
  if (LooksLikeBinary(file)) {
    ReportReadError(
        file +
        " holds NUL bytes: it is not a text file in the system's code page "
        "(a binary file, or one saved as UTF-16). Save it as CSV text and import it again.");
    return kExitFailed;
  }
  context.Datebook();
  options.lastfile = file;
  options.Save();
  ImportSummary summary;
  int result = 0;
  {
    ProgressShown shown(context.progress());
    result = ImportFile(file, options, &context.progress(), &summary);
  }
  if (result < 0) {
    ReportReadError(summary.openFailure);
    return kExitFailed;
  }
  context.out() << "Added " << summary.added << ", updated " << summary.updated << ", skipped "
                << summary.duplicates << " duplicates and " << summary.faulty << " faulty records"
                << (summary.stopped ? " (stopped)" : "") << '\n';
  // The import took the Ctrl-C; the count shows what it left in the datebook.
  if (summary.stopped)
    TerminalShell::TakeQuitRequest();
  WriteCountLine(context);
  return summary.readFailed || summary.stopped ? kExitFailed : kExitDone;
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
