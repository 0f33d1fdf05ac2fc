// The settings store of the portable build: one REGEDIT4 text file. Every
// write re-reads the file, changes one value and replaces the file
// atomically; a damaged file is reported and never overwritten.
#include "platform/Registry.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ConfigurationError.h"
#include "platform/FaultInjector.h"
#include "platform/posix/FileDescriptor.h"
#include "platform/posix/RegistryFile.h"
#include "platform/posix/RegistryStore.h"

namespace tavir {
namespace {

namespace rf = registry_file;

constexpr size_t kStringBufferBytes = 1000;      // including the terminating zero
constexpr size_t kLargestStoreBytes = 16 << 20;  // a settings file is a few kilobytes
const std::string kCurrentUser = "HKEY_CURRENT_USER";
const std::string kLocalMachine = "HKEY_LOCAL_MACHINE";

// The file the command line named; it comes before the environment.
std::string chosenPath;
// The writers' lock while a SettingsUpdate of this process holds it.
int heldWritersLock = -1;

std::string FullKey(const std::string& root, const std::string& keyPath) {
  return keyPath.empty() ? root : root + "\\" + keyPath;
}

// The store as it is on disk: missing (an empty document), readable, or
// unusable with the reason.
struct LoadedStore {
  std::optional<rf::Document> document;
  std::string problem;  // set when document is empty
};

LoadedStore LoadStore(const std::string& path) {
  if (path.empty())
    return {std::nullopt,
            "No settings file can be found because none of TAVIR_REGISTRY, XDG_CONFIG_HOME "
            "and HOME is set. Set TAVIR_REGISTRY to the path of the settings file."};
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.IsValid()) {
    if (errno == ENOENT)
      return {rf::Document{}, {}};
    return {std::nullopt, "The settings file " + path + " cannot be read (" + std::strerror(errno) +
                              "). Check its permissions."};
  }
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t count = read(file.Get(), buffer, sizeof buffer);
    if (count < 0 && errno == EINTR)
      continue;
    if (count < 0)
      return {std::nullopt,
              "The settings file " + path + " cannot be read (" + std::strerror(errno) + ")."};
    if (count == 0)
      break;
    text.append(buffer, static_cast<size_t>(count));
    if (text.size() > kLargestStoreBytes)
      return {std::nullopt, "The settings file " + path +
                                " is too large to be a settings file. Remove it or set "
                                "TAVIR_REGISTRY to another file."};
  }
  rf::ParseError error;
  auto document = rf::Parse(text, error);
  if (!document)
    return {std::nullopt, "The settings file " + path + " is damaged at line " +
                              std::to_string(error.line) + ": " + error.reason +
                              ". Correct that line or remove the file (TAVIR then starts "
                              "with its default settings); it is left unchanged until then."};
  return {std::move(document), {}};
}

// The bytes RegQueryValueEx would give for a value, whatever its type.
std::string ValueBytes(const rf::Value& value) {
  if (value.type == rf::ValueType::String)
    return value.text + '\0';
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i)
    bytes[i] = static_cast<char>((value.number >> (8 * i)) & 0xFF);
  return bytes;
}

const rf::Value* FindCurrentUserValue(const rf::Document& document, const std::string& keyPath,
                                      const std::string& valueName) {
  const rf::Section* section = rf::FindSection(document, FullKey(kCurrentUser, keyPath));
  return section == nullptr ? nullptr : rf::FindValue(*section, valueName);
}

bool WriteAll(int descriptor, const std::string& text) {
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t count = write(descriptor, text.data() + written, text.size() - written);
    if (count < 0 && errno == EINTR)
      continue;
    if (count <= 0)
      return false;
    written += static_cast<size_t>(count);
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates the directory and its parents as needed.
bool MakeDirectories(const std::string& directory) {
  if (directory.empty() || directory == "/" || directory == ".")
    return true;
  struct stat status {};
  if (stat(directory.c_str(), &status) == 0)
    return S_ISDIR(status.st_mode);
  if (!MakeDirectories(DirectoryOf(directory)))
    return false;
  return mkdir(directory.c_str(), 0700) == 0 || errno == EEXIST;
}

// Writes the text to a new file beside `path`, syncs it and renames it over
// `path`, so that a crash leaves either the old or the new file.
bool ReplaceFile(const std::string& path, const std::string& text) {
  const std::string directory = DirectoryOf(path);
  std::string temporary = path + ".XXXXXX";
  FileDescriptor file(mkstemp(temporary.data()));
  if (!file.IsValid())
    return false;
  bool ok = fchmod(file.Get(), 0600) == 0 && WriteAll(file.Get(), text) && fsync(file.Get()) == 0;
  ok = file.Close() && ok;
  // Tests fail or end the write here: the new file is complete, the old one in place.
  if (ok && ProcessFaults().Hit("SettingsFile", "Replace"))
    ok = false;
  if (ok)
    ok = rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    unlink(temporary.c_str());
    return false;
  }
  FileDescriptor directoryHandle(open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directoryHandle.IsValid())
    fsync(directoryHandle.Get());
  return true;
}

struct DirectoryListingTraits {
  using Handle = DIR*;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle listing) { return closedir(listing) == 0; }
};

// Removes the temporary files of writers that died before renaming theirs
// (mkstemp's "<name>.XXXXXX"). Only called with the writers' lock held, when
// no living writer has one.
void RemoveAbandonedTemporaryFiles(const std::string& path) {
  const std::string directory = DirectoryOf(path);
  const size_t slash = path.rfind('/');
  const std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + ".";
  const ScopedHandle<DirectoryListingTraits> listing(opendir(directory.c_str()));
  if (!listing)
    return;
  while (const dirent* entry = readdir(listing.Get())) {
    const std::string name = entry->d_name;
    if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0)
      unlink((directory + "/" + name).c_str());
  }
}

// Opens and takes the writers' lock beside the store, waiting for it; no
// descriptor when that fails.
FileDescriptor LockWriters(const std::string& path) {
  FileDescriptor descriptor(open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (descriptor.IsValid() && flock(descriptor.Get(), LOCK_EX) != 0)
    descriptor.Reset();
  return descriptor;
}

// Re-reads the store, sets one value and replaces the file; false when the
// store is damaged or cannot be written.
bool SetCurrentUserValue(const std::string& keyPath, rf::Value value) {
  const std::string path = registry_store::StorePath();
  if (path.empty() || !MakeDirectories(DirectoryOf(path)))
    return false;
  // Writers from several processes take turns, so that none loses another's value.
  const FileDescriptor lock = heldWritersLock >= 0 ? FileDescriptor() : LockWriters(path);
  if (heldWritersLock < 0 && !lock.IsValid())
    return false;
  RemoveAbandonedTemporaryFiles(path);
  LoadedStore store = LoadStore(path);
  if (!store.document)
    return false;
  rf::SetValue(*store.document, FullKey(kCurrentUser, keyPath), std::move(value));
  return ReplaceFile(path, rf::Serialize(*store.document));
}

}  // namespace

namespace registry_store {

std::string StorePath() {
  if (!chosenPath.empty())
    return chosenPath;
  if (const char* path = std::getenv("TAVIR_REGISTRY"); path != nullptr && *path != '\0')
    return path;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0')
    return std::string(config) + "/tavir/registry.reg";
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
    return std::string(home) + "/.config/tavir/registry.reg";
  return {};
}

}  // namespace registry_store

std::string RegGetString(const std::string& keyPath, const std::string& valueName,
                         const std::string& defaultText) {
  const LoadedStore store = LoadStore(registry_store::StorePath());
  if (!store.document)
    return defaultText;
  const rf::Value* value = FindCurrentUserValue(*store.document, keyPath, valueName);
  if (value == nullptr)
    return defaultText;
  const std::string bytes = ValueBytes(*value);
  if (bytes.size() > kStringBufferBytes)
    return defaultText;
  // The buffer is read as a C string, whatever the value's type.
  return bytes.substr(0, bytes.find('\0'));
}

std::uint32_t RegGetDword(const std::string& keyPath, const std::string& valueName,
                          std::uint32_t defaultValue) {
  const LoadedStore store = LoadStore(registry_store::StorePath());
  if (!store.document)
    return defaultValue;
  const rf::Value* value = FindCurrentUserValue(*store.document, keyPath, valueName);
  if (value == nullptr)
    return defaultValue;
  const std::string bytes = ValueBytes(*value);
  if (bytes.size() > 4)
    return defaultValue;
  // A shorter value overwrites only the low bytes of the default, as the
  // query into a 4-byte variable does.
  std::uint32_t result = defaultValue;
  for (size_t i = 0; i < bytes.size(); ++i) {
    result &= ~(0xFFu << (8 * i));
    result |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  }
  return result;
}

bool RegSetString(const std::string& keyPath, const std::string& valueName,
                  const std::string& text) {
  rf::Value value;
  value.name = valueName;
  value.type = rf::ValueType::String;
  // REG_SZ ends at its first zero byte.
  value.text = text.substr(0, text.find('\0'));
  return SetCurrentUserValue(keyPath, std::move(value));
}

bool RegSetDword(const std::string& keyPath, const std::string& valueName, std::uint32_t number) {
  rf::Value value;
  value.name = valueName;
  value.type = rf::ValueType::Dword;
  value.number = number;
  return SetCurrentUserValue(keyPath, std::move(value));
}

bool LocalMachineKeyExists(const std::string& keyPath) {
  const LoadedStore store = LoadStore(registry_store::StorePath());
  return store.document && rf::KeyExists(*store.document, FullKey(kLocalMachine, keyPath));
}

SettingsUpdate::SettingsUpdate() {
  const std::string path = registry_store::StorePath();
  if (path.empty() || heldWritersLock >= 0 || !MakeDirectories(DirectoryOf(path)))
    return;
  lock_ = LockWriters(path).Release();
  heldWritersLock = lock_;
}

SettingsUpdate::~SettingsUpdate() {
  if (lock_ < 0)
    return;
  heldWritersLock = -1;
  FileDescriptor released(lock_);  // closing it lets the other writers in
}

std::string SettingsFilePath() {
  return registry_store::StorePath();
}

void UseSettingsFile(const std::string& path) {
  chosenPath = path;
}

void CheckRegistryStore() {
  const LoadedStore store = LoadStore(registry_store::StorePath());
  if (!store.document)
    throw ConfigurationError(store.problem);
}

}  // namespace tavir
