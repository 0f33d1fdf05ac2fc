// POSIX files: open(2) with an advisory flock(2) lock. A reader takes a
// shared lock and a writer an exclusive one, so readers may share a file but
// nobody reads or writes a file while another process is writing it.
#include "platform/File.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FaultInjector.h"
#include "platform/posix/FileDescriptor.h"

namespace tavir {
namespace {

std::string ErrorText(int error) {
  return std::strerror(error);
}

// Opens and locks without waiting; a busy lock reads as "in use".
FileDescriptor OpenLocked(const std::string& name, int flags, int lock, std::string& errorText) {
  FileDescriptor fd(::open(name.c_str(), flags | O_CLOEXEC, 0666));
  if (!fd.IsValid()) {
    errorText = ErrorText(errno);
    return fd;
  }
  if (::flock(fd.Get(), lock | LOCK_NB) != 0) {
    const int error = errno == EWOULDBLOCK ? EBUSY : errno;  // another process writes it
    errorText = ErrorText(error);
    fd.Close();
  }
  return fd;
}

}  // namespace

bool FileHandleTraits::Close(Handle handle) {
  return FileDescriptorTraits::Close(static_cast<int>(handle));
}

bool File::OpenForReading(const std::string& name, std::string& errorText) {
  FileDescriptor fd = OpenLocked(name, O_RDONLY, LOCK_SH, errorText);
  if (!fd.IsValid())
    return false;
  struct stat status {};
  if (::fstat(fd.Get(), &status) == 0 && S_ISDIR(status.st_mode)) {
    errorText = ErrorText(EISDIR);
    return false;
  }
  handle_.Reset(fd.Release());
  return true;
}

bool File::OpenForWriting(const std::string& name, std::string& errorText) {
  // Truncate only once the lock is ours, so another writer's file stays whole.
  FileDescriptor fd = OpenLocked(name, O_WRONLY | O_CREAT, LOCK_EX, errorText);
  if (!fd.IsValid())
    return false;
  // A pipe or a device has nothing to empty.
  struct stat status {};
  const bool regular = ::fstat(fd.Get(), &status) == 0 && S_ISREG(status.st_mode);
  if (regular && ::ftruncate(fd.Get(), 0) != 0) {
    errorText = ErrorText(errno);
    return false;
  }
  handle_.Reset(fd.Release());
  return true;
}

bool File::Read(void* buffer, std::size_t size, std::size_t& bytesRead, std::string& errorText) {
  if (FailsOnPurpose("File", "Read", errorText))
    return false;
  for (;;) {
    const ssize_t got = ::read(static_cast<int>(handle_.Get()), buffer, size);
    if (got >= 0) {
      bytesRead = static_cast<std::size_t>(got);
      return true;
    }
    if (errno != EINTR) {
      errorText = ErrorText(errno);
      return false;
    }
  }
}

bool File::Write(const void* data, std::size_t size, std::string& errorText) {
  if (FailsOnPurpose("File", "Write", errorText))
    return false;
  const char* next = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t done = ::write(static_cast<int>(handle_.Get()), next, size);
    if (done < 0) {
      if (errno == EINTR)
        continue;
      errorText = ErrorText(errno);
      return false;
    }
    next += done;
    size -= static_cast<std::size_t>(done);
  }
  return true;
}

bool File::Length(std::int64_t& length, std::string& errorText) const {
  struct stat status {};
  if (::fstat(static_cast<int>(handle_.Get()), &status) != 0) {
    errorText = ErrorText(errno);
    return false;
  }
  length = static_cast<std::int64_t>(status.st_size);
  return true;
}

bool File::Close(std::string& errorText) {
  if (!handle_.Close()) {
    errorText = ErrorText(errno);
    return false;
  }
  return true;
}

}  // namespace tavir
