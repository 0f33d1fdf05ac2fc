// Turning one AppointmentRecord into the columns of one file record and back,
// field by field along the field mapping, whatever the file format; with the
// field error codes of an import and their message.
#pragma once

#include <string>
#include <string_view>

#include "formats/AppointmentFile.h"
#include "model/FieldMapping.h"
#include "model/FieldResult.h"

namespace tavir {

class AppointmentRecord;

// Writing (FieldWriter.cpp). Fields without a value (15 to 19, above 32)
// write no column at all; "(Ignored)" writes an empty text.
void WriteField(AppointmentFile& file, const AppointmentRecord& record, FieldId field);
void WriteSimpleRecord(const FieldMapping& mapping, AppointmentFile& file,
                       const AppointmentRecord& record);
// The repeat columns follow only for a repeating appointment.
void WriteFullRecord(const FieldMapping& mapping, AppointmentFile& file,
                     const AppointmentRecord& record);
void WriteSimpleHeader(const FieldMapping& mapping, AppointmentFile& file);
void WriteFullHeader(const FieldMapping& mapping, AppointmentFile& file);

// Reading (FieldReader.cpp). ReadMappedRecord gives the first field error;
// the fields after a faulty one are not read.
FieldResult ReadField(AppointmentFile& file, AppointmentRecord& record, FieldId field);
FieldResult ReadMappedRecord(const FieldMapping& mapping, AppointmentFile& file,
                             AppointmentRecord& record);

// Line feeds become CR LF (a CR already before one stays); the result is cut
// to at most kMaxExpandedText bytes on a character boundary (LineBreaks.cpp).
inline constexpr std::size_t kMaxExpandedText = 39999;
std::string ExpandLineBreaks(std::string_view text);

// Shows "Error reading <file> line <n>", the last field read in double
// quotes, and the code's message, with OK and Cancel and the stop icon
// through the current shell. True when the user chose OK: go on
// (ImportErrorReport.cpp).
bool ReportImportError(FieldResult code, const std::string& fileName, int lineNumber,
                       const std::string& lastField);
// The text of that message.
std::string ImportErrorText(FieldResult code, const std::string& fileName, int lineNumber,
                            const std::string& lastField);

}  // namespace tavir
