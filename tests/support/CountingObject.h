// A minimal IDispatch that counts its references without ever deleting
// itself, so that a test can check that every AddRef met its Release.
#pragma once

#include "platform/Com.h"

namespace tavir::test_support {

class CountingObject final : public IDispatch {
 public:
  CountingObject() = default;
  CountingObject(const CountingObject&) = delete;
  CountingObject& operator=(const CountingObject&) = delete;

  // References held right now, and how many were ever taken.
  ULONG References() const { return references_; }
  ULONG AddRefCalls() const { return addRefCalls_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualGUID(iid, IID_IUnknown) || IsEqualGUID(iid, IID_IDispatch)) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    ++addRefCalls_;
    return ++references_;
  }
  // An unmatched Release wraps the count to a huge value, which a test's
  // check for zero then reports.
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  ULONG references_ = 0;
  ULONG addRefCalls_ = 0;
};

}  // namespace tavir::test_support
