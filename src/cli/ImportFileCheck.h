// What `tavir import` finds out about a file before it opens the datebook:
// that it can be read, and that it is in a format the import reads (CSV text
// or an Excel 97-2003 workbook), so that a calendar file or a newer workbook
// gets a message that says so instead of a field error about its first line.
#pragma once

#include <optional>
#include <string>

namespace tavir {

// Why the file cannot be imported, naming it; none when it may be.
std::optional<std::string> CheckImportFile(const std::string& file);

}  // namespace tavir
