// The file an export writes. An export never destroys what it replaces: a
// regular file, new or existing, is written under a temporary name beside it
// and put in its place only when the export is complete, so a failed export
// leaves the old file as it was. A symbolic link is followed to the file it
// names; pipes and devices are written in place; a folder is refused.
#pragma once

#include <string>

namespace tavir {

class ExportTarget {
 public:
  explicit ExportTarget(const std::string& target);
  // Removes the temporary file unless it was put in place.
  ~ExportTarget();
  ExportTarget(const ExportTarget&) = delete;
  ExportTarget& operator=(const ExportTarget&) = delete;

  // Why the target cannot be written; empty when it can.
  const std::string& Refusal() const { return refusal_; }
  // The name to write under. It ends like the target, so the same writer is
  // chosen for it.
  const std::string& WritePath() const { return writePath_; }
  // True when the export writes the target itself (a pipe or a device).
  bool InPlace() const { return writePath_ == finalPath_; }
  // Puts the written file in the target's place; false with the reason when
  // that fails (the temporary file is removed, the target left as it was).
  bool Commit(std::string& reason);

 private:
  std::string finalPath_;
  std::string writePath_;
  std::string refusal_;
  bool committed_ = false;
};

}  // namespace tavir
