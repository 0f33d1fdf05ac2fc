// The stored add-in list (Windows registry).
#include "desktop/server/AddinListStore.h"

#include <string>

#include "platform/win32/HandleOwner.h"

namespace tavir {

std::vector<AddinListEntry> LoadAddinList() {
  std::vector<AddinListEntry> entries;
  RegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kAddinListKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
    return entries;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    wchar_t value[1024] = {};
    DWORD nameLength = 256;
    DWORD valueBytes = sizeof value - sizeof(wchar_t);
    DWORD type = 0;
    if (RegEnumValueW(key.Get(), index, name, &nameLength, nullptr, &type,
                      reinterpret_cast<BYTE*>(value), &valueBytes) != ERROR_SUCCESS)
      break;
    if (type == REG_SZ)
      entries.push_back({WideString(name, nameLength), WideString(value)});
  }
  return entries;
}

void StoreAddinList(const AddinList& list) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kAddinListKey);
  for (const AddinListEntry& entry : list.entries) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kAddinListKey, entry.classId.c_str(), REG_SZ,
                    entry.name.c_str(),
                    static_cast<DWORD>((entry.name.size() + 1) * sizeof(wchar_t)));
  }
}

}  // namespace tavir
