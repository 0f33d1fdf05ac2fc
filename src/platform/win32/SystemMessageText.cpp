// The system's message text for an HRESULT on Windows: FormatMessage from the
// system table in the neutral language, converted to the ANSI code page.
#include <memory>
#include <string>

#include "platform/CodePage.h"
#include "platform/ComError.h"

namespace tavir {

namespace {

struct LocalMemoryFree {
  void operator()(wchar_t* memory) const { LocalFree(memory); }
};

}  // namespace

std::string SystemMessageText(HRESULT error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(error), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::unique_ptr<wchar_t, LocalMemoryFree> owner(buffer);
  if (length == 0 || !buffer) return {};
  return WideToAnsi(buffer, length);
}

}  // namespace tavir
