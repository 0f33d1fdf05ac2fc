// The import's notes to the user, shown once at the end of an import.
#include "engine/ImportNotes.h"

#include "formats/AppointmentFile.h"
#include "host/Transfer.h"
#include "model/Strings.h"
#include "model/TextTrim.h"
#include "platform/Shell.h"

namespace tavir {

int NextLineWithData(AppointmentFile& file, std::size_t columns, int line) {
  while (file.ReadRecord() == RecordResult::Read) {
    ++line;
    for (std::size_t column = 0; column < columns; ++column) {
      std::string text;
      file.ReadText(text);
      if (!TrimWhiteSpace(text).empty())
        return line;
    }
  }
  return 0;
}

void ReportEndAtLineWithoutDate(const std::string& fileName, int line, int nextLine) {
  CurrentShell().ShowMessage(FormatMessageText(LoadText(text::ImportEndedWithoutDate).c_str(), line,
                                               fileName.c_str(), nextLine),
                             MessageButtons::Ok, MessageIcon::Exclamation);
}

void ReportCutNotes(const std::string& fileName, int count, int firstLine) {
  CurrentShell().ShowMessage(
      FormatMessageText(LoadText(text::ImportCutNotes).c_str(), static_cast<int>(kNoteLimitBytes),
                        count, fileName.c_str(), firstLine),
      MessageButtons::Ok, MessageIcon::Information);
}

}  // namespace tavir
