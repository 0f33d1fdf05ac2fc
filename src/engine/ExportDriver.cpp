// The export loops: walk every appointment the host returns, filter, read it
// into a record and hand it to the writer; pump messages between items.
#include "engine/ExportDriver.h"

#include <memory>

#include "engine/ExportTarget.h"
#include "engine/FieldConversion.h"
#include "engine/Filter.h"
#include "engine/MessagePump.h"
#include "engine/WaitCursor.h"
#include "engine/WriterErrors.h"
#include "formats/CalendarFile.h"
#include "formats/FileFactories.h"
#include "host/HostCalls.h"
#include "host/HostExceptionDays.h"
#include "host/OccurrenceWalk.h"
#include "host/Transfer.h"
#include "model/Options.h"
#include "platform/ComError.h"
#include "platform/Shell.h"

namespace tavir {

namespace {

enum class Layout { Simple, Full };

// One export run: owns the writer and finishes it on every way out.
class ExportRun {
 public:
  ExportRun(const Options& options, std::unique_ptr<AppointmentFile> writer, Layout layout)
      : options_(options),
        writer_(std::move(writer)),
        calendar_(writer_->AsCalendar()),
        layout_(layout) {}

  ~ExportRun() {
    // A host error is on its way out: the file is still closed properly.
    if (writer_)
      FinishQuietly(*writer_);
  }

  void WriteHeader() {
    if (calendar_)
      return;
    AsFileOperation([&] {
      if (layout_ == Layout::Simple)
        WriteSimpleHeader(options_.mapping, *writer_);
      else
        WriteFullHeader(options_.mapping, *writer_);
    });
  }

  void Write(const AppointmentRecord& record, IDesktopAppointment* appointment,
             bool expandedOccurrence) {
    // The calendar writer reads the repeat rule from the host: its COM errors
    // are host errors and pass to the caller.
    if (calendar_) {
      calendar_->WriteAppointment(record, appointment, expandedOccurrence);
      return;
    }
    AsFileOperation([&] {
      if (layout_ == Layout::Simple)
        WriteSimpleRecord(options_.mapping, *writer_, record);
      else
        WriteFullRecord(options_.mapping, *writer_, record);
    });
  }

  // Closes the file after a failure that was already reported.
  void Abandon() {
    if (std::unique_ptr<AppointmentFile> writer = std::move(writer_))
      FinishQuietly(*writer);
  }

  // Finishes the file; a failure to store it is reported like any write
  // error. False then.
  bool Finish() {
    std::unique_ptr<AppointmentFile> writer = std::move(writer_);
    try {
      AsFileOperation([&] { writer->Finish(); });
      return true;
    } catch (const FileError& error) {
      ReportWriteError(error);
      return false;
    }
  }

 private:
  const Options& options_;
  std::unique_ptr<AppointmentFile> writer_;
  CalendarFile* calendar_;
  Layout layout_;
};

// Writes the occurrences that FindNextOccurrence hands out inside [from, to].
template <typename OnOccurrence>
void ExpandOccurrences(IDesktopAppointment* appointment, TimeValue from, TimeValue to,
                       bool firstMustSucceed, OnOccurrence onOccurrence) {
  TimeValue cursor = 0;
  HostLong found = 0;
  const HRESULT first = appointment->FindFirstOccurrence(from, to, &cursor, &found);
  if (firstMustSucceed)
    ThrowIfFailed(first, "IDesktopAppointment");
  else if (first != S_OK)
    return;
  if (found)
    WalkOccurrences(appointment, cursor, to, HostFailure::EndsTheWalk, onOccurrence);
}

int RunExport(const std::string& fileName, TimeValue from, TimeValue to, const Options& options,
              ProgressControl* progress, Layout layout, ExportStatus& status) {
  WaitCursor waitCursor;
  ComPtr<IDesktopDatebook> datebook = OpenDatebook(options);
  ComPtr<IDesktopAppointments> appointments = QueryAllAppointments(datebook.Get());
  // Declared before the writer: the temporary file goes only after it is closed.
  ExportTarget target(fileName);
  std::string reason = target.Refusal();
  std::unique_ptr<AppointmentFile> writer =
      reason.empty() ? CreateWriter(target.WritePath(), options, &reason) : nullptr;
  if (!writer) {
    // Without a word the user could not tell an empty export from a failed one.
    status.noWriter = true;
    ReportWriteError(FileError(fileName + ": " + reason));
    return layout == Layout::Simple ? -1 : 0;
  }

  // A ".vcs" file of the full format is a calendar too: its field texts run
  // together between header and trailer would be no vCalendar at all.
  CalendarFile* calendar = writer->AsCalendar();
  if (calendar)
    calendar->SetUserName(GetCurrentUserName(options));
  ExportRun run(options, std::move(writer), layout);
  if (progress)
    progress->SetRange(ReadCount(appointments.Get()));
  PumpMessages();
  int count = 0;
  try {
    run.WriteHeader();
    for (HostLong i = 0; i < ReadCount(appointments.Get()); ++i) {
      AppointmentRecord record(options);
      if (progress)
        progress->SetPosition(i);
      if (PumpMessages() == PumpResult::Quit) {
        status.stopped = true;
        break;
      }
      waitCursor.Restore();
      ComPtr<IDesktopAppointment> appointment = ReadItem(appointments.Get(), i);
      if (!appointment)
        continue;
      if (!AppointmentPassesFilter(options, appointment.Get()))
        continue;
      if (ReadFromHost(record, appointment.Get()) < 0)
        continue;
      if (layout == Layout::Full) {
        // The calendar writer asks the host for the exception days itself.
        if (!calendar)
          ReadExceptionText(record, appointment.Get());
        run.Write(record, appointment.Get(), false);
        ++count;
      } else if (!ReadRepeating(appointment.Get())) {
        if (record.date < from || record.date > to)
          continue;
        run.Write(record, appointment.Get(), false);
        ++count;
      } else {
        ExpandOccurrences(appointment.Get(), from, to, true, [&](TimeValue day) {
          record.SetDate(day);
          run.Write(record, appointment.Get(), true);
          ++count;
          return true;
        });
      }
    }
  } catch (const FileError& error) {
    status.writeFailed = true;
    ReportWriteError(error);
  }
  // After a failed write the file is closed without a second message.
  if (status.writeFailed)
    run.Abandon();
  else if (!run.Finish())
    status.writeFailed = true;
  if (!status.writeFailed && !target.Commit(reason)) {
    status.writeFailed = true;
    ReportWriteError(FileError(fileName + ": " + reason));
  }
  if (!status.writeFailed)
    return count;
  // What reached the file: nothing, when the old file was kept.
  status.targetKept = !target.InPlace();
  return status.targetKept ? 0 : count;
}

}  // namespace

int ExportSimple(const std::string& fileName, TimeValue from, TimeValue to, const Options& options,
                 ProgressControl* progress, ExportStatus* status) {
  ExportStatus local;
  return RunExport(fileName, from, to, options, progress, Layout::Simple, status ? *status : local);
}

int ExportFull(const std::string& fileName, const Options& options, ProgressControl* progress,
               ExportStatus* status) {
  ExportStatus local;
  return RunExport(fileName, 0, 0, options, progress, Layout::Full, status ? *status : local);
}

int CountExportable(const Options& options, bool* stopped) {
  WaitCursor waitCursor;
  ComPtr<IDesktopDatebook> datebook = OpenDatebook(options);
  ComPtr<IDesktopAppointments> appointments = QueryAllAppointments(datebook.Get());
  const TimeValue from = options.GetSpanStart();
  const TimeValue to = options.GetSpanEnd();
  int count = 0;
  if (stopped)
    *stopped = false;
  try {
    for (HostLong i = 0; i < ReadCount(appointments.Get()); ++i) {
      if (i % 10 == 0 && PumpMessages() == PumpResult::Quit) {
        if (stopped)
          *stopped = true;
        break;
      }
      ComPtr<IDesktopAppointment> appointment = ReadItem(appointments.Get(), i);
      if (!appointment || !AppointmentPassesFilter(options, appointment.Get()))
        continue;
      if (options.fullformat) {
        ++count;
      } else if (!ReadRepeating(appointment.Get())) {
        const TimeValue start = ReadStartTime(appointment.Get());
        if (from <= start && start <= to)
          ++count;
      } else {
        // Every day the export writes counts, the last day of the datebook
        // (2031-12-31) too.
        ExpandOccurrences(appointment.Get(), from, to, false, [&](TimeValue) {
          ++count;
          return true;
        });
      }
    }
  } catch (const FileError& error) {
    ReportWriteError(error);
  }
  return count;
}

}  // namespace tavir
