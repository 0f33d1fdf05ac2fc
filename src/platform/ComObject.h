// The IUnknown of every COM object the program implements itself: a reference
// count that deletes the object at zero, and QueryInterface for IUnknown and
// the interfaces the object offers. Not thread-safe: each object is used on
// the thread that made it.
#pragma once

#include "platform/Com.h"

namespace tavir {

// Interface is the object's identity (what IUnknown answers); More are
// further interfaces it implements, which Find must hand out.
template <typename Interface, typename... More>
class ComObject : public Interface, public More... {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object)
      return E_POINTER;
    *object = IsEqualIID(iid, IID_IUnknown) ? static_cast<Interface*>(this) : Find(iid);
    if (!*object)
      return E_NOINTERFACE;
    AddRef();
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
  ComObject() = default;
  virtual ~ComObject() = default;

  // This object as the interface iid names, IUnknown aside; null when it
  // offers none. Here: the identity interface for what Offers accepts.
  virtual void* Find(REFIID iid) { return Offers(iid) ? static_cast<Interface*>(this) : nullptr; }
  virtual bool Offers(REFIID) const { return false; }

 private:
  ULONG references_ = 0;
};

}  // namespace tavir
