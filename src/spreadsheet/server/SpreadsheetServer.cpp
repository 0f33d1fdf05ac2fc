// The spreadsheet stand-in as an in-process COM server (Windows): a test
// set-up registers this DLL as "Excel.Application" (ProgID, CLSID,
// InprocServer32) so that ExcelFile reaches it through CoCreateInstance as it
// would reach Excel.
#include "platform/win32/ClassFactory.h"
#include "spreadsheet/Objects.h"
#include "spreadsheet/server/ServerIds.h"

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(classId, tavir::spreadsheet::kStandInClassId)) return CLASS_E_CLASSNOTAVAILABLE;
  const tavir::ComPtr<IClassFactory> factory = tavir::MakeClassFactory([](IDispatch** application) {
    if (!application) return E_POINTER;
    *application = tavir::spreadsheet::NewApplication().Detach();
    return S_OK;
  });
  return factory->QueryInterface(iid, object);
}

// The stand-in keeps no count of its objects, so it stays loaded until the
// process ends.
HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }

}  // extern "C"
