// The message an import shows for a faulty record.
#include "engine/FieldConversion.h"
#include "model/AppointmentRecord.h"
#include "model/Strings.h"
#include "platform/AnsiCharacters.h"
#include "platform/Clock.h"
#include "platform/Shell.h"

namespace tavir {
namespace {

// The code's own message; the date and time messages show today as the
// example of what the regional settings expect.
std::string FieldErrorText(FieldResult code) {
  const std::string message = LoadText(static_cast<int>(code) + kFieldErrorIdBase);
  switch (code) {
    case FieldResult::InvalidDate:
    case FieldResult::InvalidRepeatEndDate:
    case FieldResult::InvalidExceptionDate:
      return FormatMessageText(message.c_str(), FormatDateText(CurrentTime()).c_str());
    case FieldResult::InvalidStartTime:
    case FieldResult::InvalidEndTime:
      return FormatMessageText(message.c_str(), FormatTimeText(CurrentTime()).c_str());
    default:
      return message;  // no placeholder: taken as it stands
  }
}

// A long note must not fill the screen: one line of it, cut between characters.
std::string FirstLineOf(const std::string& field) {
  constexpr std::size_t kMaxShown = 200;
  std::string line = field.substr(0, field.find_first_of("\r\n"));
  const bool more = line.size() < field.size() || line.size() > kMaxShown;
  line.resize(AnsiCutLength(line, kMaxShown));
  return more ? line + "..." : line;
}

}  // namespace

std::string ImportErrorText(FieldResult code, const std::string& fileName, int lineNumber,
                            const std::string& lastField) {
  std::string text =
      FormatMessageText(LoadText(text::ErrorReadingLine).c_str(), fileName.c_str(), lineNumber);
  if (!lastField.empty())
    text += "\n\"" + FirstLineOf(lastField) + "\"";
  text += "\n";
  if (code >= FieldResult::InvalidDate && code <= FieldResult::InvalidId)
    text += FieldErrorText(code);
  return text;
}

bool ReportImportError(FieldResult code, const std::string& fileName, int lineNumber,
                       const std::string& lastField) {
  return CurrentShell().ShowMessage(ImportErrorText(code, fileName, lineNumber, lastField),
                                    MessageButtons::OkCancel,
                                    MessageIcon::Stop) == MessageAnswer::Ok;
}

}  // namespace tavir
