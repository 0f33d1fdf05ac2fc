// The settings store on Windows: HKEY_CURRENT_USER through the Reg* API, each
// call opening and closing its key.
#include "platform/Registry.h"

#include <cstring>

#include "platform/win32/WindowsApi.h"

namespace tavir {
namespace {

constexpr DWORD kStringBufferBytes = 1000;  // including the terminating zero

// Owns an open registry key.
class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  bool Open(HKEY root, const std::string& path, REGSAM access) {
    return RegOpenKeyExA(root, path.c_str(), 0, access, &key_) == ERROR_SUCCESS;
  }
  bool Create(HKEY root, const std::string& path) {
    return RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                           nullptr, &key_, nullptr) == ERROR_SUCCESS;
  }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::string RegGetString(const std::string& keyPath, const std::string& valueName,
                         const std::string& defaultText) {
  RegistryKey key;
  if (!key.Open(HKEY_CURRENT_USER, keyPath, KEY_READ)) return defaultText;
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
  if (!key.Open(HKEY_CURRENT_USER, keyPath, KEY_READ)) return defaultValue;
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
  if (!key.Create(HKEY_CURRENT_USER, keyPath)) return false;
  return RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool RegSetDword(const std::string& keyPath, const std::string& valueName, std::uint32_t number) {
  RegistryKey key;
  if (!key.Create(HKEY_CURRENT_USER, keyPath)) return false;
  const DWORD value = number;
  return RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
}

bool LocalMachineKeyExists(const std::string& keyPath) {
  RegistryKey key;
  return key.Open(HKEY_LOCAL_MACHINE, keyPath, KEY_READ);
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
