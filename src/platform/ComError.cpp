// The COM failure exception and its error text, shared by both platforms.
#include "platform/ComError.h"

#include <cstdint>
#include <cstdio>
#include <utility>

#include "platform/ComOwners.h"
#include "platform/ComPtr.h"

namespace tavir {

ComError::ComError(HRESULT error, std::string interfaceName, std::string description)
    : error_(error), interfaceName_(std::move(interfaceName)), description_(std::move(description)) {}

std::string ComError::ErrorMessage() const {
  std::string text = SystemMessageText(error_);
  if (!text.empty()) {
    if (text.back() == '\n') text.pop_back();
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return text;
  }
  const auto value = static_cast<std::uint32_t>(error_);
  char buffer[48];
  if (value >= 0x80040200u && value <= 0x8004FFFFu && value != 0x80040200u) {
    std::snprintf(buffer, sizeof buffer, "IDispatch error #%d", static_cast<int>(value - 0x80040200u));
  } else {
    std::snprintf(buffer, sizeof buffer, "Unknown error 0x%0lX", static_cast<unsigned long>(value));
  }
  return buffer;
}

const char* ComError::what() const noexcept {
  try {
    if (what_.empty()) what_ = description_.empty() ? ErrorMessage() : description_;
  } catch (...) {
    return "COM failure";
  }
  return what_.c_str();
}

void ThrowIfFailed(HRESULT hr, const char* interfaceName) {
  if (SUCCEEDED(hr)) return;
  std::string description;
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) == S_OK && info) {
    ComPtr<IErrorInfo> owner = ComPtr<IErrorInfo>::Adopt(info);
    Bstr text;
    if (SUCCEEDED(owner->GetDescription(text.Receive()))) description = text.ToAnsi();
  }
  throw ComError(hr, interfaceName ? interfaceName : "", std::move(description));
}

}  // namespace tavir
