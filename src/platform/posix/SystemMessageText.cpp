// The system's message texts on POSIX: the English texts that Windows gives
// for the HRESULTs the program meets, with the same trailing CR LF.
#include <cstdint>
#include <string>

#include "platform/ComError.h"

namespace tavir {

namespace {

struct MessageEntry {
  std::uint32_t error;
  const char* text;
};

constexpr MessageEntry kMessages[] = {
    {0x80004001, "Not implemented"},
    {0x80004002, "No such interface supported"},
    {0x80004003, "Invalid pointer"},
    {0x80004004, "Operation aborted"},
    {0x80004005, "Unspecified error"},
    {0x8000FFFF, "Catastrophic failure"},
    {0x80070002, "The system cannot find the file specified."},
    {0x80070003, "The system cannot find the path specified."},
    {0x80070005, "Access is denied."},
    {0x80070006, "The handle is invalid."},
    {0x8007000E, "Not enough memory resources are available to complete this operation."},
    {0x80070020, "The process cannot access the file because it is being used by another process."},
    {0x80070057, "The parameter is incorrect."},
    {0x80020001, "Unknown interface."},
    {0x80020003, "Member not found."},
    {0x80020004, "Parameter not found."},
    {0x80020005, "Type mismatch."},
    {0x80020006, "Unknown name."},
    {0x80020007, "No named arguments."},
    {0x80020008, "Bad variable type."},
    {0x80020009, "Exception occurred."},
    {0x8002000A, "Out of present range."},
    {0x8002000B, "Invalid index."},
    {0x8002000C, "Unknown language."},
    {0x8002000D, "Memory is locked."},
    {0x8002000E, "Invalid number of parameters."},
    {0x8002000F, "Parameter not optional."},
    {0x80020010, "Invalid callee."},
    {0x80020011, "Does not support a collection."},
    {0x80020012, "Division by zero."},
    {0x8002801D, "Library not registered."},
    {0x8002802B, "Element not found."},
    {0x80028CA0, "Type mismatch."},
    {0x80028CA1, "Invalid number of arguments."},
    {0x80029C4A, "Error loading type library/DLL."},
    {0x80040110, "Class does not support aggregation (or class object is remote)"},
    {0x80040111, "ClassFactory cannot supply requested class"},
    {0x80040154, "Class not registered"},
    {0x800401F0, "CoInitialize has not been called."},
    {0x800401F3, "Invalid class string"},
};

}  // namespace

std::string SystemMessageText(HRESULT error) {
  for (const MessageEntry& entry : kMessages) {
    if (entry.error == static_cast<std::uint32_t>(error)) return std::string(entry.text) + "\r\n";
  }
  return {};
}

}  // namespace tavir
