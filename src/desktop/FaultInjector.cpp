// Injected failures of the datebook's COM methods, matched by method name.
#include "desktop/FaultInjector.h"

#include <cstdint>

#include "platform/CodePage.h"
#include "platform/ComPtr.h"

namespace tavir {
namespace {

bool Matches(const std::string& pattern, const char* interfaceName, const char* method) {
  if (pattern == method)
    return true;
  const std::string qualified = std::string(interfaceName) + "." + method;
  return pattern == qualified;
}

// The address comes from memory the compiler cannot reason about, so the
// write stays a real access violation rather than a trap instruction.
void WriteThroughNullPointer() {
  static volatile std::uintptr_t address = 0;
  *reinterpret_cast<volatile int*>(address) = 1;
}

}  // namespace

void FaultInjector::Add(InjectedFault fault) {
  entries_.push_back({std::move(fault)});
}

void FaultInjector::Clear() {
  entries_.clear();
}

HRESULT FaultInjector::Check(const char* interfaceName, const char* method) {
  for (Entry& entry : entries_) {
    if (entry.spent || !Matches(entry.fault.method, interfaceName, method))
      continue;
    ++entry.matchedCalls;
    if (entry.matchedCalls < entry.fault.onCall)
      continue;
    if (!entry.fault.always)
      entry.spent = true;
    if (entry.fault.accessViolation)
      WriteThroughNullPointer();
    return ReportError(entry.fault.error, entry.fault.description);
  }
  return S_OK;
}

int FaultInjector::MatchedCalls(const std::string& method) const {
  int calls = 0;
  for (const Entry& entry : entries_) {
    if (entry.fault.method == method)
      calls += entry.matchedCalls;
  }
  return calls;
}

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

}  // namespace tavir
