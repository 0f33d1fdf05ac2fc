// The settings store on Windows: HKEY_CURRENT_USER through the Reg* API, each
// call opening and closing its key.
#include "platform/Registry.h"

#include <cstring>

#include "platform/win32/HandleOwner.h"

namespace tavir {
namespace {

constexpr DWORD kStringBufferBytes = 1000;  // including the terminating zero

bool OpenKey(RegistryKey& key, HKEY root, const std::string& path) {
  return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

bool CreateKey(RegistryKey& key, HKEY root, const std::string& path) {
  return RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                         nullptr, key.Receive(), nullptr) == ERROR_SUCCESS;
}

}  // namespace

std::string RegGetString(const std::string& keyPath, const std::string& valueName,
                         const std::string& defaultText) {
  RegistryKey key;
  if (!OpenKey(key, HKEY_CURRENT_USER, keyPath))
    return defaultText;
  char buffer[kStringBufferBytes + 1] = {};  // one spare zero ends any value
  DWORD size = kStringBufferBytes;
  if (RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, nullptr,
                       reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
    return defaultText;
  return std::string(buffer, strnlen(buffer, size));
}

std::uint32_t RegGetDword(const std::string& keyPath, const std::string& valueName,
                          std::uint32_t defaultValue) {
  RegistryKey key;
  if (!OpenKey(key, HKEY_CURRENT_USER, keyPath))
    return defaultValue;
  DWORD value = defaultValue;
  DWORD size = sizeof value;
  if (RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, nullptr,
                       reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
    return defaultValue;
  return value;
}

bool RegSetString(const std::string& keyPath, const std::string& valueName,
                  const std::string& text) {
  RegistryKey key;
  if (!CreateKey(key, HKEY_CURRENT_USER, keyPath))
    return false;
  return RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool RegSetDword(const std::string& keyPath, const std::string& valueName, std::uint32_t number) {
  RegistryKey key;
  if (!CreateKey(key, HKEY_CURRENT_USER, keyPath))
    return false;
  const DWORD value = number;
  return RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
}

bool LocalMachineKeyExists(const std::string& keyPath) {
  RegistryKey key;
  return OpenKey(key, HKEY_LOCAL_MACHINE, keyPath);
}

SettingsUpdate::SettingsUpdate() = default;
SettingsUpdate::~SettingsUpdate() = default;

// The Windows registry has no file of ours that could be damaged.
void CheckRegistryStore() {}

std::string SettingsFilePath() {
  return {};
}

void UseSettingsFile(const std::string&) {}

}  // namespace tavir
