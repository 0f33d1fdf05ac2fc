// The two factories that pick an appointment file by the name's extension,
// hand it its options and open it; and the Excel availability test.
#pragma once

#include <memory>
#include <string>

#include "formats/AppointmentFile.h"

namespace tavir {

class Options;

// The last four characters of name equal extension (e.g. ".ics"), case ignored.
bool HasExtension(const std::string& name, const char* extension);

// A vCalendar (".vcs") or iCalendar (".ics") name: CreateWriter makes a
// calendar writer for it, and no reader reads it.
bool IsCalendarFileName(const std::string& name);

// None when Excel is unavailable for ".xls" or the file cannot be opened;
// reason, when given, then receives why (the system's or Excel's error text).
std::unique_ptr<AppointmentFile> CreateWriter(const std::string& fileName, const Options& options,
                                              std::string* reason = nullptr);
std::unique_ptr<AppointmentFile> CreateReader(const Options& options, const std::string& fileName,
                                              std::string* reason = nullptr);

bool IsExcelAvailable();

}  // namespace tavir
