// Windows: deleting a file named in the ANSI code page.
#include "platform/CodePage.h"
#include "platform/Shell.h"
#include "platform/win32/WindowsApi.h"

namespace tavir {

bool DeleteFileNamed(const std::string& name) {
  return DeleteFileW(AnsiToWide(name).c_str()) != 0;
}

}  // namespace tavir
