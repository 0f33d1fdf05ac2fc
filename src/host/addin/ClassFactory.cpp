// The class factory of the add-in class (Windows); its locks keep the module
// loaded.
#include "host/addin/ClassFactory.h"

#include "host/addin/CountedObject.h"
#include "host/addin/Objects.h"
#include "platform/ComPtr.h"

namespace tavir::addin {
namespace {

class AddinClassFactory final : public CountedObject<IClassFactory> {
 public:
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    const ModuleEntry entry;
    if (!object)
      return E_POINTER;
    *object = nullptr;
    if (outer)
      return CLASS_E_NOAGGREGATION;
    return NewAddinObject()->QueryInterface(iid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    CountLock(lock ? 1 : -1);
    return S_OK;
  }

 protected:
  bool Offers(REFIID iid) const override { return IsEqualIID(iid, IID_IClassFactory); }
};

}  // namespace

HRESULT GetAddinClassFactory(REFIID iid, void** object) {
  return ComPtr<IClassFactory>(new AddinClassFactory())->QueryInterface(iid, object);
}

}  // namespace tavir::addin
