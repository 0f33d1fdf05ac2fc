// Reporting of file write errors in the export and count loops.
#include "engine/WriterErrors.h"

#include "formats/AppointmentFile.h"
#include "model/Strings.h"
#include "platform/Shell.h"

namespace tavir {

void ReportWriteError(const FileError& error) {
  std::string reason = error.what();
  if (reason.size() > 1000) reason.resize(1000);
  CurrentShell().ShowMessage(FormatMessageText(LoadText(text::ErrorWritingFile).c_str(), reason.c_str()),
                             MessageButtons::Ok, MessageIcon::Stop);
}

void FinishQuietly(AppointmentFile& writer) {
  try {
    writer.Finish();
  } catch (...) {
  }
}

}  // namespace tavir
