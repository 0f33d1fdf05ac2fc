// What a path names and replacing files, on Windows. Links are left to the
// system: MoveFileEx replaces the file a path names.
#include "platform/FilePaths.h"

#include "platform/ComError.h"
#include "platform/win32/HandleOwner.h"

namespace tavir {
namespace {

// The system's text for the last error, without the trailing line break.
std::string LastErrorText() {
  std::string text = SystemMessageText(HRESULT_FROM_WIN32(GetLastError()));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
    text.pop_back();
  return text;
}

struct FileId {
  DWORD volume = 0, high = 0, low = 0;
};

bool ReadFileId(const std::string& path, FileId& id) {
  const CreatedFile file(CreateFileA(path.c_str(), 0,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file)
    return false;
  BY_HANDLE_FILE_INFORMATION information{};
  const bool read = GetFileInformationByHandle(file.Get(), &information) != 0;
  id = {information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
  return read;
}

}  // namespace

PathKind KindOfPath(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    // Devices such as CON have no attributes but can be opened.
    const CreatedFile device(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
    if (!device)
      return PathKind::Missing;
    const DWORD type = GetFileType(device.Get());
    return type == FILE_TYPE_DISK ? PathKind::RegularFile : PathKind::Other;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    return PathKind::Directory;
  if (attributes & FILE_ATTRIBUTE_DEVICE)
    return PathKind::Other;
  return PathKind::RegularFile;
}

std::string FollowLinks(const std::string& path) {
  return path;
}

bool CanWriteFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_READONLY);
}

bool IsSameFile(const std::string& first, const std::string& second) {
  FileId a, b;
  return ReadFileId(first, a) && ReadFileId(second, b) && a.volume == b.volume &&
         a.high == b.high && a.low == b.low;
}

bool MoveFileOver(const std::string& from, const std::string& to, std::string& errorText) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  errorText = LastErrorText();
  return false;
}

void RemoveFileQuietly(const std::string& path) {
  DeleteFileA(path.c_str());
}

}  // namespace tavir
