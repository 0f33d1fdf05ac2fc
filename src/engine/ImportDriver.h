// Reads appointment records from a CSV file or an Excel workbook into the
// current user's Datebook: new appointments, updates by record id, duplicates
// skipped on request, faulty records reported one by one.
#pragma once

#include <string>

#include "host/DesktopInterfaces.h"

namespace tavir {

class Options;
class ProgressControl;
class AppointmentRecord;

// What an import did, for callers that report it (the dialog shows nothing).
struct ImportSummary {
  int added = 0;
  int updated = 0;
  int duplicates = 0;
  int faulty = 0;        // records with a field error (reported or ignored)
  bool stopped = false;  // the user cancelled, or the application is quitting
  bool readFailed = false;  // the file failed while being read (already reported)
  std::string openFailure;  // why the file could not be opened (ImportFile gave -1)
  int dataAfterEndLine = 0;        // a line with data after the line without date that ended it
  int cutNotes = 0;                // notes longer than the Datebook keeps (reported once)
  int linesReadAsWindows1252 = 0;  // not UTF-8 under a UTF-8 code page
};

// 0 when the file was opened and processed (even if nothing was imported);
// -1 when no reader could be created or the file could not be opened.
int ImportFile(const std::string& fileName, const Options& options, ProgressControl* progress,
               ImportSummary* summary = nullptr);

// True when an appointment that IsSameAppointment finds equal to the record
// exists in the Datebook. One pass over the Datebook; the import itself uses
// an index with the same answers.
bool IsDuplicate(const Options& options, IDesktopDatebook* datebook,
                 const AppointmentRecord& record);

}  // namespace tavir
