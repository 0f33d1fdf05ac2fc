// Portable: deleting a file.
#include <cstdio>

#include "platform/Shell.h"

namespace tavir {

bool DeleteFileNamed(const std::string& name) {
  return std::remove(name.c_str()) == 0;
}

}  // namespace tavir
