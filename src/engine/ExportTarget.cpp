// Temporary names beside the target and putting the finished file in place.
#include "engine/ExportTarget.h"

#include <chrono>
#include <cstdio>

#include "platform/FilePaths.h"

namespace tavir {
namespace {

// "data.csv" gives "data.tavir-1f2e3d4c.csv": the extension that chooses the
// writer stays last. A clock reading and a counter keep two runs apart.
std::string TemporaryNameBeside(const std::string& path) {
  static unsigned counter = 0;
  const auto ticks =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  char tag[32];
  std::snprintf(tag, sizeof tag, ".tavir-%08llx",
                (ticks ^ (++counter * 0x9E3779B9ULL)) & 0xFFFFFFFFULL);
  const std::size_t dot = path.size() >= 4 ? path.size() - 4 : std::string::npos;
  const bool hasExtension = dot != std::string::npos && path[dot] == '.' &&
                            path.find_first_of("/\\", dot) == std::string::npos;
  return hasExtension ? path.substr(0, dot) + tag + path.substr(dot) : path + tag;
}

}  // namespace

ExportTarget::ExportTarget(const std::string& target) : finalPath_(target) {
  switch (KindOfPath(target)) {
    case PathKind::Directory:
      refusal_ = "A folder cannot be replaced by an export.";
      return;
    case PathKind::Other:
      writePath_ = finalPath_;  // a pipe or a device has no file to replace
      return;
    case PathKind::RegularFile:
      // Renaming would replace a file its owner made read-only.
      if (!CanWriteFile(target)) {
        refusal_ = "The file is read-only.";
        return;
      }
      [[fallthrough]];
    case PathKind::Missing:
      finalPath_ = FollowLinks(target);
      writePath_ = TemporaryNameBeside(finalPath_);
      return;
  }
}

ExportTarget::~ExportTarget() {
  if (!committed_ && !InPlace() && !writePath_.empty())
    RemoveFileQuietly(writePath_);
}

bool ExportTarget::Commit(std::string& reason) {
  if (InPlace())
    return committed_ = true;
  if (!MoveFileOver(writePath_, finalPath_, reason))
    return false;
  return committed_ = true;
}

}  // namespace tavir
