// Failures injected by tests, matched by point name.
#include "platform/FaultInjector.h"

#include <cstdint>

namespace tavir {
namespace {

bool Matches(const std::string& pattern, const char* scope, const char* name) {
  if (pattern == name)
    return true;
  const std::size_t length = std::char_traits<char>::length(scope);
  return pattern.size() > length && pattern.compare(0, length, scope) == 0 &&
         pattern[length] == '.' && pattern.compare(length + 1, std::string::npos, name) == 0;
}

}  // namespace

void FaultInjector::Add(InjectedFault fault) {
  const std::lock_guard<std::mutex> lock(mutex_);
  entries_.push_back({std::move(fault)});
  armed_ = true;
}

void FaultInjector::Clear() {
  const std::lock_guard<std::mutex> lock(mutex_);
  entries_.clear();
  armed_ = false;
}

std::optional<InjectedFault> FaultInjector::Hit(const char* scope, const char* name) {
  if (!armed_.load(std::memory_order_relaxed))
    return std::nullopt;
  std::optional<InjectedFault> hit;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (Entry& entry : entries_) {
      if (entry.spent || !Matches(entry.fault.point, scope, name))
        continue;
      ++entry.matchedCalls;
      if (entry.matchedCalls < entry.fault.onCall)
        continue;
      entry.spent = !entry.fault.always;
      hit = entry.fault;
      break;
    }
  }
  if (hit && hit->action)
    hit->action();
  return hit;
}

int FaultInjector::MatchedCalls(const std::string& point) const {
  const std::lock_guard<std::mutex> lock(mutex_);
  int calls = 0;
  for (const Entry& entry : entries_) {
    if (entry.fault.point == point)
      calls += entry.matchedCalls;
  }
  return calls;
}

FaultInjector& ProcessFaults() {
  static FaultInjector faults;
  return faults;
}

bool FailsOnPurpose(const char* scope, const char* name, std::string& errorText) {
  const std::optional<InjectedFault> fault = ProcessFaults().Hit(scope, name);
  if (fault)
    errorText = fault->description;
  return fault.has_value();
}

// The address comes from memory the compiler cannot reason about, so the
// write stays a real access violation rather than a trap instruction.
void CauseAccessViolation() {
  static volatile std::uintptr_t address = 0;
  *reinterpret_cast<volatile int*>(address) = 1;
}

}  // namespace tavir
