// Texts from the module's own resources, where the platform has them: on
// Windows the string table of the current resource module (the add-in, or the
// language resource DLL while a command runs); elsewhere there is none.
#pragma once

#include <optional>
#include <string>

namespace tavir {

// The string-table entry in the ANSI code page; nullopt when the module has
// no such entry (or no resources at all).
std::optional<std::string> LoadModuleText(int id);

}  // namespace tavir
