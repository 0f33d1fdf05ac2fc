// Owner of a POSIX file descriptor (portable build): closes it when it goes.
#pragma once

#include <unistd.h>

namespace tavir {

class FileDescriptor {
 public:
  explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
  ~FileDescriptor() { Close(); }
  FileDescriptor(FileDescriptor&& other) noexcept : descriptor_(other.Release()) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  bool IsOpen() const { return descriptor_ >= 0; }
  int Get() const { return descriptor_; }
  // Hands the descriptor over; the caller closes it.
  int Release() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor;
  }
  // False when closing reports an error (data may not have reached the disk).
  bool Close() {
    if (descriptor_ < 0) return true;
    const bool ok = ::close(descriptor_) == 0;
    descriptor_ = -1;
    return ok;
  }

 private:
  int descriptor_;
};

}  // namespace tavir
