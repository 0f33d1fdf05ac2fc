// What a path names and replacing files, on POSIX.
#include "platform/FilePaths.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace tavir {
namespace {

// Linux gives up after 40 links; so do we.
constexpr int kMaxLinks = 40;

}  // namespace

PathKind KindOfPath(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0)
    return PathKind::Missing;
  if (S_ISREG(status.st_mode))
    return PathKind::RegularFile;
  if (S_ISDIR(status.st_mode))
    return PathKind::Directory;
  return PathKind::Other;
}

std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int links = 0; links < kMaxLinks; ++links) {
    struct stat status {};
    if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
      return current;
    std::string target(static_cast<std::size_t>(status.st_size) + 256, '\0');
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length <= 0)
      return current;
    target.resize(static_cast<std::size_t>(length));
    const std::size_t slash = current.rfind('/');
    current = target[0] == '/' || slash == std::string::npos
                  ? target
                  : current.substr(0, slash + 1) + target;
  }
  return current;
}

bool CanWriteFile(const std::string& path) {
  return ::access(path.c_str(), W_OK) == 0;
}

bool IsSameFile(const std::string& first, const std::string& second) {
  struct stat a {
  }, b{};
  return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
         a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool MoveFileOver(const std::string& from, const std::string& to, std::string& errorText) {
  struct stat old {};
  if (::stat(to.c_str(), &old) == 0)
    ::chmod(from.c_str(), old.st_mode & 07777);
  if (std::rename(from.c_str(), to.c_str()) == 0)
    return true;
  errorText = std::strerror(errno);
  return false;
}

void RemoveFileQuietly(const std::string& path) {
  std::remove(path.c_str());
}

}  // namespace tavir
