// Windows files: CreateFile with read sharing only, so other processes may
// read a file while the program has it open but not write it. Names are ANSI.
#include "platform/File.h"

#include "platform/FaultInjector.h"
#include "platform/win32/WindowsApi.h"

namespace tavir {
namespace {

std::string ErrorText(DWORD error) {
  char text[512] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r'))
    --length;
  if (length == 0)
    return "Error " + std::to_string(error);
  return std::string(text, length);
}

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

bool OpenShared(ScopedHandle<FileHandleTraits>& handle, const std::string& name, DWORD access,
                DWORD disposition, std::string& errorText) {
  HANDLE opened = CreateFileA(name.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) {
    errorText = ErrorText(GetLastError());
    return false;
  }
  handle.Reset(reinterpret_cast<std::intptr_t>(opened));
  return true;
}

}  // namespace

bool FileHandleTraits::Close(Handle handle) {
  return CloseHandle(AsHandle(handle)) != 0;
}

bool File::OpenForReading(const std::string& name, std::string& errorText) {
  return OpenShared(handle_, name, GENERIC_READ, OPEN_EXISTING, errorText);
}

bool File::OpenForWriting(const std::string& name, std::string& errorText) {
  return OpenShared(handle_, name, GENERIC_WRITE, CREATE_ALWAYS, errorText);
}

bool File::Read(void* buffer, std::size_t size, std::size_t& bytesRead, std::string& errorText) {
  if (FailsOnPurpose("File", "Read", errorText))
    return false;
  const DWORD wanted = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
  DWORD got = 0;
  if (!ReadFile(AsHandle(handle_.Get()), buffer, wanted, &got, nullptr)) {
    errorText = ErrorText(GetLastError());
    return false;
  }
  bytesRead = got;
  return true;
}

bool File::Write(const void* data, std::size_t size, std::string& errorText) {
  if (FailsOnPurpose("File", "Write", errorText))
    return false;
  const char* next = static_cast<const char*>(data);
  while (size > 0) {
    const DWORD wanted = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD done = 0;
    if (!WriteFile(AsHandle(handle_.Get()), next, wanted, &done, nullptr)) {
      errorText = ErrorText(GetLastError());
      return false;
    }
    if (done == 0) {  // nothing taken although nothing failed: treat as a full disk
      errorText = ErrorText(ERROR_HANDLE_DISK_FULL);
      return false;
    }
    next += done;
    size -= done;
  }
  return true;
}

bool File::Length(std::int64_t& length, std::string& errorText) const {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(AsHandle(handle_.Get()), &size)) {
    errorText = ErrorText(GetLastError());
    return false;
  }
  length = size.QuadPart;
  return true;
}

bool File::Close(std::string& errorText) {
  if (!handle_.Close()) {
    errorText = ErrorText(GetLastError());
    return false;
  }
  return true;
}

}  // namespace tavir
