// The import loop: read and check each record, then add it to the Datebook,
// rewrite the appointment it names by record id, or skip it as a duplicate.
#include "engine/ImportDriver.h"

#include <memory>
#include <optional>

#include "engine/DuplicateIndex.h"
#include "engine/FieldConversion.h"
#include "engine/Filter.h"
#include "engine/ImportNotes.h"
#include "engine/MessagePump.h"
#include "engine/WaitCursor.h"
#include "formats/CsvFile.h"
#include "formats/FileError.h"
#include "formats/FileFactories.h"
#include "host/HostCalls.h"
#include "host/ImportedTimes.h"
#include "host/Transfer.h"
#include "model/Options.h"
#include "model/Strings.h"
#include "platform/ComError.h"
#include "platform/Shell.h"

namespace tavir {

namespace {

// Closes the reader on every way out, a host error included.
class ReaderGuard {
 public:
  explicit ReaderGuard(std::unique_ptr<AppointmentFile> reader) : reader_(std::move(reader)) {}
  ~ReaderGuard() {
    try {
      reader_->Close();
    } catch (...) {
    }
  }
  AppointmentFile& operator*() const { return *reader_; }
  AppointmentFile* operator->() const { return reader_.get(); }

 private:
  std::unique_ptr<AppointmentFile> reader_;
};

class ImportRun {
 public:
  ImportRun(const std::string& fileName, const Options& options, IDesktopDatebook* datebook,
            ImportSummary& summary)
      : fileName_(fileName), options_(options), datebook_(datebook), summary_(summary) {}

  // False when the import must stop.
  bool Store(AppointmentRecord& record) {
    if (!MatchesFilter(options_, record.text, record.note, record.category, record.location))
      return true;
    if (record.recordId != 0) {
      if (ComPtr<IDesktopAppointment> existing = FindHostAppointment(datebook_, record.recordId)) {
        NoteCut(record);
        const FieldResult result = UpdateHost(record, datebook_, existing.Get());
        if (index_)
          index_->Refresh(existing.Get());
        ++summary_.updated;
        return Continue(result);
      }
    }
    // The times the Datebook will hold (a time in a daylight-saving gap moves),
    // so that the duplicate test finds what an earlier import added.
    if (!record.untimed) {
      const StartAndEnd times = ImportedStartAndEnd(record);
      record.SetStartTime(times.start);
      record.SetEndTime(times.end);
    }
    if (options_.noduplicates && Index().Contains(record)) {
      ++summary_.duplicates;
      return true;
    }
    NoteCut(record);
    ComPtr<IDesktopAppointment> created;
    const FieldResult result = AddToHost(record, datebook_, created);
    // After a host error the half-written appointment was deleted again.
    if (created && FindHostAppointment(datebook_, ReadRecordId(created.Get()))) {
      ++summary_.added;
      if (index_)
        index_->Refresh(created.Get());
    }
    return Continue(result);
  }

  // A field error of a data record: reported unless errors are ignored.
  bool ReportFault(FieldResult code, int line, const std::string& lastField) {
    ++summary_.faulty;
    if (options_.ignoreimporterrors)
      return true;
    return ReportImportError(code, fileName_, line, lastField);
  }

  void SetLine(int line, const std::string& lastField) {
    line_ = line;
    lastField_ = lastField;
  }

 private:
  DuplicateIndex& Index() {
    if (!index_) {
      index_.emplace(options_);
      index_->Build(datebook_);
    }
    return *index_;
  }

  // The transfer's own repeat faults leave the appointment as far as it got;
  // they are shown like field errors so the user learns that the repeat rule
  // was not applied, and never stop the import by themselves.
  bool Continue(FieldResult result) {
    if (result == FieldResult::Cancelled)
      return false;
    if (IsFieldError(result) && !options_.ignoreimporterrors)
      return ReportImportError(result, fileName_, line_, lastField_);
    return true;
  }

  const std::string& fileName_;
  const Options& options_;
  IDesktopDatebook* datebook_;
  ImportSummary& summary_;
  void NoteCut(const AppointmentRecord& record) {
    if (record.note.size() <= kNoteLimitBytes)
      return;
    if (summary_.cutNotes++ == 0)
      firstCutNoteLine_ = line_;
  }

 public:
  int FirstCutNoteLine() const { return firstCutNoteLine_; }

 private:
  std::optional<DuplicateIndex> index_;
  int firstCutNoteLine_ = 0;
  int line_ = 0;
  std::string lastField_;
};

}  // namespace

int ImportFile(const std::string& fileName, const Options& options, ProgressControl* progress,
               ImportSummary* summaryOut) {
  ImportSummary summary;
  WaitCursor waitCursor;
  ComPtr<IDesktopDatebook> datebook = OpenDatebook(options);
  std::unique_ptr<AppointmentFile> opened = CreateReader(options, fileName, &summary.openFailure);
  if (!opened) {
    if (summaryOut)
      *summaryOut = summary;
    return -1;
  }
  ReaderGuard reader(std::move(opened));
  if (progress)
    progress->SetRange(reader->GetProgressMax());
  PumpMessages();

  ImportRun run(fileName, options, datebook.Get(), summary);
  AppointmentRecord record(options);
  try {
    int line = 1;
    FieldResult result = ReadMappedRecord(options.mapping, *reader, record);
    if (IsFieldError(result)) {
      // A first line that does not read as a record is the header.
      record.Reset();
      result = ReadMappedRecord(options.mapping, *reader, record);
      line = 2;
    }
    while (result != FieldResult::EndOfData) {
      if (progress)
        progress->SetPosition(reader->GetProgressPos());
      if (PumpMessages() == PumpResult::Quit) {
        summary.stopped = true;
        break;
      }
      waitCursor.Restore();
      run.SetLine(line, reader->GetLastField());
      const bool goOn = IsFieldError(result) ? run.ReportFault(result, line, reader->GetLastField())
                                             : run.Store(record);
      if (!goOn) {
        summary.stopped = true;
        break;
      }
      record.Reset();
      result = ReadMappedRecord(options.mapping, *reader, record);
      ++line;
    }
    // A line without date ends the data; the user must learn when more followed.
    if (result == FieldResult::EndOfData && !summary.stopped) {
      summary.dataAfterEndLine =
          NextLineWithData(*reader, options.mapping.simpleFields.size(), line);
      if (summary.dataAfterEndLine)
        ReportEndAtLineWithoutDate(fileName, line, summary.dataAfterEndLine);
    }
  } catch (const FileError& error) {
    summary.readFailed = true;
    CurrentShell().ShowMessage(
        FormatMessageText(LoadText(text::ErrorReadingFile).c_str(), error.what()),
        MessageButtons::Ok, MessageIcon::Stop);
  }
  if (summary.cutNotes)
    ReportCutNotes(fileName, summary.cutNotes, run.FirstCutNoteLine());
  if (const auto* csv = dynamic_cast<const CsvFile*>(&*reader))
    summary.linesReadAsWindows1252 = csv->LinesReadAsWindows1252();
  if (summaryOut)
    *summaryOut = summary;
  return 0;
}

bool IsDuplicate(const Options& options, IDesktopDatebook* datebook,
                 const AppointmentRecord& record) {
  ComPtr<IDesktopAppointments> appointments = QueryAllAppointments(datebook);
  for (HostLong i = 0; i < ReadCount(appointments.Get()); ++i) {
    ComPtr<IDesktopAppointment> appointment = ReadItem(appointments.Get(), i);
    if (!appointment)
      continue;
    AppointmentRecord existing(options);
    ReadFromHost(existing, appointment.Get());
    if (existing.IsSameAppointment(record))
      return true;
  }
  return false;
}

}  // namespace tavir
