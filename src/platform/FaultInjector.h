// Failures a test causes on purpose, so that every error path of the program
// can be driven: a method of the stand-alone datebook or of the spreadsheet
// stand-in, a read or write of the file port, the replacing of the settings
// file, the datebook store's commit. Each such point asks Hit before it does
// its work; a fault armed for it makes that call fail. Nothing is armed in
// normal use, and then Hit costs one atomic load.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/Com.h"

namespace tavir {

struct InjectedFault {
  // Where: a point is a scope and a name. "get_Description" fails that name in
  // every scope; "IDesktopAppointment.get_Description" only in that scope.
  // Scopes are interface names for the stand-ins' methods ("QueryInterface"
  // can fail too), "File" for the file port (Read, Write), "SettingsFile"
  // (Replace), "DatebookStore" (Commit).
  std::string point{};
  HRESULT error = E_FAIL;   // what a COM method answers
  std::string description{};  // the error text the caller sees (UTF-8)
  int onCall = 1;           // the first matching call that fails (1 = the first)
  bool always = false;      // keep failing from then on; else fail once
  // Runs inside the failing call before it fails, to end it as a faulty host
  // or a power cut would (CauseAccessViolation, killing the process).
  std::function<void()> action{};
};

class FaultInjector {
 public:
  void Add(InjectedFault fault);
  void Clear();
  // The fault that fails this call of scope.name, after running its action;
  // nothing when the call goes on as usual.
  std::optional<InjectedFault> Hit(const char* scope, const char* name);
  // How many calls matched a fault's point so far (for tests that count).
  int MatchedCalls(const std::string& point) const;

 private:
  struct Entry {
    InjectedFault fault;
    int matchedCalls = 0;
    bool spent = false;
  };
  mutable std::mutex mutex_;
  std::atomic<bool> armed_{false};
  std::vector<Entry> entries_;
};

// The faults of the ports, which have no object of their own to carry them.
FaultInjector& ProcessFaults();

// True when a fault armed in ProcessFaults fails this call of scope.name;
// errorText is then the fault's description.
bool FailsOnPurpose(const char* scope, const char* name, std::string& errorText);

// Writes through a null pointer: the access violation of a faulty host.
void CauseAccessViolation();

}  // namespace tavir
