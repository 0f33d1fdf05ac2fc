// The main dialog's messages that carry values: the remove-all question and
// the import's read error.
#pragma once

#include <string>

namespace tavir {

std::string RemoveAllQuestion(int count, const std::string& userName);
// "Error reading file\n" and the system's text for the last error.
std::string ReadErrorText(const std::string& systemText);

}  // namespace tavir
