// Failures a test can cause on purpose in any method of the stand-alone
// datebook's COM objects, so that every host-error path of the program can be
// exercised. Every method asks Check before it does anything.
#pragma once

#include <string>
#include <vector>

#include "platform/Com.h"

namespace tavir {

struct InjectedFault {
  // "get_Description" fails that method on every interface;
  // "IDesktopAppointment.get_Description" only on that interface. Interface
  // names are the host's (get_Location and SetTimes belong to
  // "IDesktopAppointment2"); "QueryInterface" can fail too.
  std::string method;
  HRESULT error = E_FAIL;
  std::string description;  // the error information text the caller sees (UTF-8)
  int onCall = 1;           // the first matching call that fails (1 = the first)
  bool always = false;      // keep failing from then on; else fail once
  // Crash as a faulty host would: an access violation inside the call instead
  // of an error. Only a caller behind a structured-exception guard survives.
  bool accessViolation = false;
};

class FaultInjector {
 public:
  void Add(InjectedFault fault);
  void Clear();
  // S_OK, or the injected error with its error information already set.
  HRESULT Check(const char* interfaceName, const char* method);
  // How many calls matched a fault's method so far (for tests that count).
  int MatchedCalls(const std::string& method) const;

 private:
  struct Entry {
    InjectedFault fault;
    int matchedCalls = 0;
    bool spent = false;
  };
  std::vector<Entry> entries_;
};

// Sets the calling thread's error information to text (UTF-8) and returns
// error, so that a failing method can end with `return ReportError(...)`.
HRESULT ReportError(HRESULT error, const std::string& text);

}  // namespace tavir
