// The file-type lists of the Open and Save dialogs, the entry preselected
// from the last file, and the extension a typed name gets from the chosen
// entry. A list is "description|pattern|" entries, as the string table has them.
#pragma once

#include <string>

namespace tavir {

// Excel first when it is available, then CSV and "All Files", closed by "|".
std::string ImportFileTypes(bool excelAvailable);
// Excel when available, CSV, vCalendar only in the simple format, iCalendar.
std::string ExportFileTypes(bool excelAvailable, bool fullFormat);

// The 1-based entry whose pattern has the extension of lastFile (its last
// three characters). A name without a dot or shorter than 4 characters gives
// entry 1; an extension the list lacks gives the last entry; only the first
// ten entries are looked at.
int PreselectFileType(const std::string& lastFile, const std::string& fileTypes);

// The pattern of the 1-based entry; empty when there is no such entry.
std::string FileTypePattern(const std::string& fileTypes, int entry);
// The description of the 1-based entry; empty when there is no such entry.
std::string FileTypeDescription(const std::string& fileTypes, int entry);

// The list as the file dialogs take it: each '|' becomes a NUL and the whole
// ends with two NULs.
std::string NulSeparated(const std::string& fileTypes);

// A path whose name has no extension gets the extension of the pattern
// ("*.csv" makes dates into dates.csv); "*.*", an empty pattern and a name
// with an extension leave the path as it is.
std::string CompleteExportPath(const std::string& path, const std::string& pattern);

}  // namespace tavir
