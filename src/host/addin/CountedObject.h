// The IUnknown of every COM object of the add-in module (Windows): a
// reference count, QueryInterface for IUnknown and the interfaces the object
// names, and a share in the module's object count while it lives.
#pragma once

#include "host/addin/Module.h"
#include "platform/Com.h"

namespace tavir::addin {

template <typename Interface>
class CountedObject : public Interface {
 public:
  CountedObject(const CountedObject&) = delete;
  CountedObject& operator=(const CountedObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object)
      return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !Offers(iid))
      return E_NOINTERFACE;
    *object = static_cast<Interface*>(this);
    this->AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG remaining = --references_;
    if (remaining == 0)
      delete this;
    return remaining;
  }

 protected:
  CountedObject() { CountObject(1); }
  virtual ~CountedObject() { CountObject(-1); }
  // The interfaces besides IUnknown this object answers for.
  virtual bool Offers(REFIID iid) const = 0;

 private:
  ULONG references_ = 0;
};

}  // namespace tavir::addin
