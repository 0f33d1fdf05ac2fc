// Windows: string-table entries of the current resource module.
#include "platform/ModuleText.h"

#include "platform/CodePage.h"
#include "platform/win32/ResourceModule.h"

namespace tavir {

std::optional<std::string> LoadModuleText(int id) {
  // With a zero buffer size LoadStringW hands out a pointer into the
  // resource itself, so texts of any length come through whole.
  const wchar_t* text = nullptr;
  const int length =
      LoadStringW(ResourceModule(), static_cast<UINT>(id), reinterpret_cast<wchar_t*>(&text), 0);
  if (length <= 0 || text == nullptr)
    return std::nullopt;
  return WideToAnsi(text, static_cast<size_t>(length));
}

}  // namespace tavir
