// Main dialog messages from the string table.
#include "ui/MainDialogTexts.h"

#include "model/Strings.h"

namespace tavir {

std::string RemoveAllQuestion(int count, const std::string& userName) {
  return FormatMessageText(LoadText(text::ConfirmRemoveAll).c_str(), count, userName.c_str());
}

std::string ReadErrorText(const std::string& systemText) {
  return FormatMessageText(LoadText(text::ErrorReadingFile).c_str(), systemText.c_str());
}

}  // namespace tavir
