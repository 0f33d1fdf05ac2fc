// Writes the current user's appointments to a file: the simple format
// (occurrences inside a span) or the full format (each appointment once with
// its repeat rule); and the count behind the main dialog's count line.
#pragma once

#include <string>

#include "platform/LocalTime.h"

namespace tavir {

class Options;
class ProgressControl;

// How an export ended, for callers that report it (the dialog shows nothing).
struct ExportStatus {
  bool noWriter = false;     // the file could not be created (already reported)
  bool writeFailed = false;  // writing failed part way (already reported)
  bool stopped = false;      // the application is quitting
  bool targetKept = false;   // after a failure: the file named was left as it was
};

// Records written, or -1 when no writer could be created. When the file
// cannot be created, "Error writing file" tells the user why. The file named
// is replaced only by a complete export (see ExportTarget); after a failed
// write the result is what reached it, 0 when it was left as it was.
int ExportSimple(const std::string& fileName, TimeValue from, TimeValue to, const Options& options,
                 ProgressControl* progress, ExportStatus* status = nullptr);
// Records written, or 0 when no writer could be created.
int ExportFull(const std::string& fileName, const Options& options, ProgressControl* progress,
               ExportStatus* status = nullptr);
// How many records an export with the current options would write. stopped,
// when given, tells whether the quit message ended the count early (the
// number is then only what was counted so far).
int CountExportable(const Options& options, bool* stopped = nullptr);

}  // namespace tavir
