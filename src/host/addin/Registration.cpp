// Registering the module (Windows): the registry keys of the add-in class,
// its type library, then the host's list.
#include "host/addin/Registration.h"

#include <string>
#include <vector>

#include "host/addin/AddinIds.h"
#include "host/addin/Module.h"
#include "platform/CodePage.h"
#include "platform/ComPtr.h"
#include "platform/win32/HandleOwner.h"

namespace tavir::addin {
namespace {

std::wstring Wide(const char* text) {
  return AnsiToWide(text);
}

// Creates HKEY_CLASSES_ROOT\key and, when name or value is given, sets the
// value (name nullptr: the default value).
LSTATUS WriteKey(const std::wstring& key, const wchar_t* name, const std::wstring* value) {
  RegistryKey created;
  LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE,
                                   nullptr, created.Receive(), nullptr);
  if (status != ERROR_SUCCESS)
    return status;
  if (!value)
    return ERROR_SUCCESS;
  return RegSetValueExW(created.Get(), name, 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(value->c_str()),
                        static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
}

struct ClassKey {
  std::wstring key;
  const wchar_t* name;  // nullptr: the default value
  std::wstring value;
  bool hasValue;
};

std::vector<ClassKey> ClassKeys() {
  const std::wstring classKey = L"CLSID\\" + Wide(kAddinClassIdText);
  const std::wstring progId = Wide(kProgId);
  const std::wstring independent = Wide(kVersionIndependentProgId);
  const std::wstring className = Wide(kClassName);
  // The ProgIDs also name the class (CLSID), so that a ProgID leads to it.
  return {
      {progId, nullptr, className, true},
      {progId + L"\\CLSID", nullptr, Wide(kAddinClassIdText), true},
      {independent, nullptr, className, true},
      {independent + L"\\CLSID", nullptr, Wide(kAddinClassIdText), true},
      {independent + L"\\CurVer", nullptr, progId, true},
      {classKey, nullptr, className, true},
      {classKey + L"\\ProgID", nullptr, progId, true},
      {classKey + L"\\VersionIndependentProgID", nullptr, independent, true},
      {classKey + L"\\Programmable", nullptr, {}, false},
      {classKey + L"\\InprocServer32", nullptr, ModulePath(), true},
      {classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment", true},
      {classKey + L"\\TypeLib", nullptr, Wide(kTypeLibraryIdText), true},
  };
}

ComPtr<ITypeLib> ModuleTypeLibrary(HRESULT& hr) {
  ComPtr<ITypeLib> library;
  hr = LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, library.Receive());
  return library;
}

HRESULT WriteClassKeys() {
  for (const ClassKey& entry : ClassKeys()) {
    const LSTATUS status = WriteKey(entry.key, entry.name, entry.hasValue ? &entry.value : nullptr);
    if (status != ERROR_SUCCESS)
      return HRESULT_FROM_WIN32(status);
  }
  return S_OK;
}

void DeleteClassKeys() {
  for (const char* root : {kProgId, kVersionIndependentProgId})
    RegDeleteTreeW(HKEY_CLASSES_ROOT, Wide(root).c_str());
  RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + Wide(kAddinClassIdText)).c_str());
}

HRESULT RegisterTypeLibrary() {
  HRESULT hr = S_OK;
  ComPtr<ITypeLib> library = ModuleTypeLibrary(hr);
  if (FAILED(hr))
    return hr;
  std::wstring path = ModulePath();
  return RegisterTypeLib(library.Get(), path.data(), nullptr);
}

void UnregisterTypeLibrary() {
  HRESULT hr = S_OK;
  ComPtr<ITypeLib> library = ModuleTypeLibrary(hr);
  if (FAILED(hr))
    return;
  TLIBATTR* attributes = nullptr;
  if (FAILED(library->GetLibAttr(&attributes)))
    return;
  const TLIBATTR copy = *attributes;
  library->ReleaseTLibAttr(attributes);
  UnRegisterTypeLib(copy.guid, copy.wMajorVerNum, copy.wMinorVerNum, copy.lcid, copy.syskind);
}

}  // namespace

HRESULT RegisterModule() {
  HRESULT hr = WriteClassKeys();
  if (SUCCEEDED(hr))
    hr = RegisterTypeLibrary();
  if (FAILED(hr))
    return hr;
  EnterInHostList();
  return S_OK;
}

HRESULT UnregisterModule() {
  DeleteClassKeys();
  UnregisterTypeLibrary();
  RemoveFromHostList();
  return S_OK;
}

}  // namespace tavir::addin
