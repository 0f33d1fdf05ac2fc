// The COM failure exception: a failed HRESULT with the failing interface and
// the error description the callee left (IErrorInfo). Caught in few places.
#pragma once

#include <exception>
#include <string>

#include "platform/Com.h"

namespace tavir {

class ComError : public std::exception {
 public:
  ComError(HRESULT error, std::string interfaceName, std::string description);

  HRESULT Error() const { return error_; }
  const std::string& InterfaceName() const { return interfaceName_; }
  // The callee's error information text; empty when it left none.
  const std::string& Description() const { return description_; }
  // The system's message for the HRESULT (trailing LF, then CR removed); else
  // "IDispatch error #%d" for 0x80040201..0x8004FFFF; else "Unknown error 0x%0lX".
  std::string ErrorMessage() const;
  // The description when the callee left one, else ErrorMessage().
  const char* what() const noexcept override;

 private:
  HRESULT error_;
  std::string interfaceName_;
  std::string description_;
  mutable std::string what_;
};

// Throws ComError when hr failed, taking the description from the thread's
// error information (GetErrorInfo).
void ThrowIfFailed(HRESULT hr, const char* interfaceName);

// The system's message text for an HRESULT; empty when it has none.
std::string SystemMessageText(HRESULT error);

}  // namespace tavir
