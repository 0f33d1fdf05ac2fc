// The live-object count and the out-parameter helpers of the datebook's COM objects.
#include "desktop/DesktopObject.h"

#include <atomic>

namespace tavir {
namespace {
std::atomic<int> liveObjects{0};
}

int LiveDesktopObjects() {
  return liveObjects.load();
}

namespace desktop_detail {
void CountObject(int change) {
  liveObjects += change;
}
}  // namespace desktop_detail

HRESULT ReturnText(std::basic_string_view<OLECHAR> text, BSTR* out) {
  if (!out)
    return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

WideString TextOf(BSTR text) {
  return text ? WideString(text, SysStringLen(text)) : WideString();
}

}  // namespace tavir
