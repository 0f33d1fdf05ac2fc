// The stand-alone datebook's add-in list as an in-process COM server
// (Windows): a test registers this DLL under the host's DesktopAddinRegistry
// class, so that add-in registration finds "the host" installed. Each object
// works on the stored list and stores every change.
#include "desktop/Desktop.h"
#include "desktop/server/AddinListStore.h"
#include "platform/win32/ClassFactory.h"

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid, void** object) {
  if (!object)
    return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(classId, tavir::CLSID_DesktopAddinRegistry))
    return CLASS_E_CLASSNOTAVAILABLE;
  const tavir::ComPtr<IClassFactory> factory = tavir::MakeClassFactory([](IDispatch** created) {
    if (!created)
      return E_POINTER;
    auto list = std::make_shared<tavir::AddinList>();
    list->entries = tavir::LoadAddinList();
    list->changed = tavir::StoreAddinList;
    *created = tavir::CreateDesktopAddinRegistry(list).Detach();
    return S_OK;
  });
  return factory->QueryInterface(iid, object);
}

// Stays loaded until the process ends: nothing here counts its objects.
HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return S_FALSE;
}

}  // extern "C"
