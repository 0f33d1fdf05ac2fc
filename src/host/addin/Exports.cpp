// The module's four exports (Windows), named undecorated in the .def file.
#include "host/addin/AddinIds.h"
#include "host/addin/ClassFactory.h"
#include "host/addin/Module.h"
#include "host/addin/Registration.h"

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid, void** object) {
  if (!object)
    return E_POINTER;
  *object = nullptr;
  // Only the add-in class is creatable; the command object comes from it.
  if (!IsEqualCLSID(classId, tavir::addin::kAddinClassId))
    return CLASS_E_CLASSNOTAVAILABLE;
  return tavir::addin::GetAddinClassFactory(iid, object);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return tavir::addin::ModuleInUse() ? S_FALSE : S_OK;
}

HRESULT STDAPICALLTYPE DllRegisterServer() {
  const tavir::addin::ModuleEntry entry;
  return tavir::addin::RegisterModule();
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
  const tavir::addin::ModuleEntry entry;
  return tavir::addin::UnregisterModule();
}

}  // extern "C"
