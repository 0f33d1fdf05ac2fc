// How the export and count loops report a failed write of the file.
#pragma once

#include "formats/FileError.h"
#include "platform/ComError.h"

namespace tavir {

// "Error writing file\n%s" with the error's own text (at most 1000
// characters), stop icon, OK.
void ReportWriteError(const FileError& error);

// Runs a tabular file operation; an automation failure of the spreadsheet
// application (a COM error out of a writer that makes no host calls) becomes
// the file layer's exception, carrying the application's own error text.
template <typename Operation>
void AsFileOperation(Operation operation);

// Finishes a writer while another error is on its way out; a failure of the
// finish itself is dropped so that the first error is the one reported.
class AppointmentFile;
void FinishQuietly(AppointmentFile& writer);

template <typename Operation>
void AsFileOperation(Operation operation) {
  try {
    operation();
  } catch (const ComError& error) {
    throw FileError(error.Description().empty() ? error.ErrorMessage() : error.Description());
  }
}

}  // namespace tavir
