// The settings store: HKEY_CURRENT_USER strings and DWORDs, and key existence
// under HKEY_LOCAL_MACHINE. Windows: the Reg* API. Portable: one REGEDIT4 text
// file (TAVIR_REGISTRY, else $XDG_CONFIG_HOME/tavir/registry.reg) replaced
// atomically on every write.
#pragma once

#include <cstdint>
#include <string>

namespace tavir {

// Key paths use backslashes, e.g. "Software\\Quelmar\\TAVIR\\Options".
// Reads give the default on any failure, also when the value needs more than
// 1000 bytes (strings) or 4 bytes (DWORDs).
std::string RegGetString(const std::string& keyPath, const std::string& valueName,
                         const std::string& defaultText);
std::uint32_t RegGetDword(const std::string& keyPath, const std::string& valueName,
                          std::uint32_t defaultValue);
// Writes create the key. A damaged store is never overwritten: they fail.
bool RegSetString(const std::string& keyPath, const std::string& valueName,
                  const std::string& text);
bool RegSetDword(const std::string& keyPath, const std::string& valueName, std::uint32_t value);

bool LocalMachineKeyExists(const std::string& keyPath);

// Throws ConfigurationError describing a store that cannot be read (a damaged
// file: where it is and what to do); does nothing on Windows.
void CheckRegistryStore();

// Holds the settings for one read-change-write (load, change, save): while it
// lives, no other process writes them, so no value another one wrote
// meanwhile is lost; this process's own writes go through. The settings file
// of the portable build needs it; the Windows registry keeps each value on
// its own.
class SettingsUpdate {
 public:
  SettingsUpdate();  // waits while another process holds the settings
  ~SettingsUpdate();
  SettingsUpdate(const SettingsUpdate&) = delete;
  SettingsUpdate& operator=(const SettingsUpdate&) = delete;

 private:
  int lock_ = -1;
};

// The file that holds the settings; empty where they are not kept in a file
// (the Windows registry).
std::string SettingsFilePath();
// Keeps the settings in this file from now on, whatever the environment
// says (the command line's choice); ignored by the Windows registry.
void UseSettingsFile(const std::string& path);

}  // namespace tavir
