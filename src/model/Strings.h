// The program's user-visible texts, by string-table id. One table
// (StringTable.inc) serves the portable build and the Windows resources, so a
// language resource can replace every text.
#pragma once

#include <string>

namespace tavir {

// The ids of the string table by name, e.g. text::CannotAddAppointment.
namespace text {
enum StringId : int {
#define TAVIR_STRING(id, name, text) name = id,
#include "model/StringTable.inc"
#undef TAVIR_STRING
};
}  // namespace text

// Field names are consecutive from here: 32821 + field number.
constexpr int kFirstFieldNameId = text::FieldNameDate;
// Field error messages: 32689 + error code (101 to 113).
constexpr int kFieldErrorIdBase = 32689;

// The text of a string-table entry; empty for an unknown id.
std::string LoadText(int id);

// printf-style formatting of a message text (the program's messages use %s
// and %d placeholders); the result may have any length.
std::string FormatMessageText(const char* format, ...);

}  // namespace tavir
