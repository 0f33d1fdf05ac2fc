// The live-object count and the out-parameter helpers of the datebook's COM objects.
#include "desktop/DesktopObject.h"

#include <atomic>

#include "platform/CodePage.h"

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

HRESULT ReportError(HRESULT error, const std::string& text) {
  ComPtr<ICreateErrorInfo> creator;
  if (FAILED(CreateErrorInfo(creator.Receive())))
    return error;
  WideString description = AnsiToWide(text);
  creator->SetDescription(description.data());
  ComPtr<IErrorInfo> info = creator.Query<IErrorInfo>(IID_IErrorInfo);
  SetErrorInfo(0, info.Get());
  return error;
}

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
