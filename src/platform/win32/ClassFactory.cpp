// The class factory of wired automation servers and of the stand-in's server
// DLL (Windows).
#include "platform/win32/ClassFactory.h"

#include <atomic>

namespace tavir {

namespace {

class WiredClassFactory final : public IClassFactory {
 public:
  explicit WiredClassFactory(AutomationFactory factory) : factory_(std::move(factory)) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    ComPtr<IDispatch> created;
    const HRESULT hr = factory_(created.Receive());
    if (FAILED(hr)) return hr;
    return created->QueryInterface(iid, object);
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }

 private:
  virtual ~WiredClassFactory() = default;
  AutomationFactory factory_;
  std::atomic<ULONG> references_{1};
};

}  // namespace

ComPtr<IClassFactory> MakeClassFactory(AutomationFactory factory) {
  return ComPtr<IClassFactory>::Adopt(new WiredClassFactory(std::move(factory)));
}

}  // namespace tavir
