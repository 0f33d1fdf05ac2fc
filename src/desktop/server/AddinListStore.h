// Where the stand-alone datebook keeps its list of add-ins between processes
// (Windows): one value per add-in under HKEY_CURRENT_USER, named by the
// add-in's class id, holding its name. Registration (regsvr32) writes it
// through the server DLL; a test host reads it as the host would.
#pragma once

#include "desktop/DesktopAddinRegistry.h"

namespace tavir {

inline constexpr wchar_t kAddinListKey[] = L"Software\\TAVIR\\Stand-alone Datebook\\Add-ins";

// The stored entries; none when the key is missing.
std::vector<AddinListEntry> LoadAddinList();
// Replaces the stored entries with list's.
void StoreAddinList(const AddinList& list);

}  // namespace tavir
