// Owner of a POSIX file descriptor (portable build): closes it when it goes.
#pragma once

#include <cerrno>
#include <unistd.h>

#include "platform/ScopedHandle.h"

namespace tavir {

struct FileDescriptorTraits {
  using Handle = int;
  static Handle Invalid() { return -1; }
  // An interrupted close has still released the descriptor.
  static bool Close(Handle descriptor) { return ::close(descriptor) == 0 || errno == EINTR; }
};
using FileDescriptor = ScopedHandle<FileDescriptorTraits>;

}  // namespace tavir
