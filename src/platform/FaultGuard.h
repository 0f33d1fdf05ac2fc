// Calls into code we do not own (the host's methods) so that a processor
// fault inside it, an access violation say, ends that call alone rather than
// the process. Windows turns such faults into structured exceptions, which
// C++ catch clauses do not see; elsewhere the call simply runs.
#pragma once

namespace tavir {

// Runs call(context); false when a fault ended it early. Whatever the call was
// writing when it faulted is in an unknown state. The call must not throw.
bool RunFaultGuarded(void (*call)(void* context) noexcept, void* context);

template <typename Call>
bool RunFaultGuarded(Call& call) {
  return RunFaultGuarded([](void* context) noexcept { (*static_cast<Call*>(context))(); }, &call);
}

}  // namespace tavir
