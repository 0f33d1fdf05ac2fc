// Windows Automation port: servers come from the COM registration
// (CLSIDFromProgID, CoCreateInstance). A wired in-process server becomes this
// process's registered class object, with its program identifier mapped to
// a class id under HKEY_CLASSES_ROOT, so that it is reached through COM like
// an installed one.
#include "platform/AutomationServers.h"
#include "platform/CodePage.h"
#include "platform/win32/ClassFactory.h"

namespace tavir {

namespace {

struct ClassRegistration {
  DWORD cookie = 0;
  bool wroteProgId = false;
};

std::map<std::string, ClassRegistration>& ClassRegistrations() {
  static std::map<std::string, ClassRegistration> registrations;
  return registrations;
}

std::wstring ProgIdKey(const std::string& programId) {
  const WideString id = AnsiToWide(programId);
  return std::wstring(id.begin(), id.end());
}

// Maps programId to a fresh class id for this user; false when it fails.
bool WriteProgId(const std::string& programId, CLSID& clsid) {
  if (FAILED(CoCreateGuid(&clsid))) return false;
  wchar_t text[64] = {};
  if (StringFromGUID2(clsid, text, 64) == 0) return false;
  const std::wstring path = ProgIdKey(programId) + L"\\CLSID";
  // One call creates the key and sets its default value: no key handle to hold.
  const LONG status = RegSetKeyValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, REG_SZ, text,
                                      static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
  return status == ERROR_SUCCESS;
}

}  // namespace

HRESULT CreateAutomationObject(const std::string& programId, ComPtr<IDispatch>& object) {
  object.Reset();
  const WideString id = AnsiToWide(programId);
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(id.c_str(), &clsid);
  if (FAILED(hr)) return hr;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(object.Receive()));
  if (FAILED(hr)) object.Detach();
  return hr;
}

void RegisterAutomationServer(const std::string& programId, AutomationFactory factory,
                              std::vector<std::string> machineKeys) {
  UnregisterAutomationServer(programId);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // the caller's thread may not have started COM
  ClassRegistration registration;
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(AnsiToWide(programId).c_str(), &clsid))) {
    if (!WriteProgId(programId, clsid)) return;
    registration.wroteProgId = true;
  }
  const ComPtr<IClassFactory> classFactory = MakeClassFactory(factory);
  if (FAILED(CoRegisterClassObject(clsid, classFactory.Get(), CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                   REGCLS_MULTIPLEUSE, &registration.cookie)))
    return;
  ClassRegistrations()[programId] = registration;
  WiredServers()[programId] = WiredServer{std::move(factory), std::move(machineKeys)};
}

void UnregisterAutomationServer(const std::string& programId) {
  WiredServers().erase(programId);
  auto found = ClassRegistrations().find(programId);
  if (found == ClassRegistrations().end()) return;
  CoRevokeClassObject(found->second.cookie);
  if (found->second.wroteProgId) RegDeleteTreeW(HKEY_CLASSES_ROOT, ProgIdKey(programId).c_str());
  ClassRegistrations().erase(found);
}

}  // namespace tavir
