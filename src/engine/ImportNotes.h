// What an import tells the user besides field errors: that a line without a
// date ended it while data followed, and that notes were cut to what the
// Datebook keeps.
#pragma once

#include <cstddef>
#include <string>

namespace tavir {

class AppointmentFile;

// After the line `line` ended the data: the number of the next line with any
// non-blank text in its first `columns` fields, or 0 when none follows.
int NextLineWithData(AppointmentFile& file, std::size_t columns, int line);

void ReportEndAtLineWithoutDate(const std::string& fileName, int line, int nextLine);
void ReportCutNotes(const std::string& fileName, int count, int firstLine);

}  // namespace tavir
