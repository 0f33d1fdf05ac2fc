// What both host-facing objects of the add-in share (Windows): a dual
// interface whose IDispatch half is answered from the type library the
// module carries.
#pragma once

#include "host/addin/CountedObject.h"
#include "platform/ComPtr.h"

namespace tavir::addin {

// The vtable type information of a dual interface of the module's type
// library; empty when the library cannot be loaded.
ComPtr<ITypeInfo> InterfaceTypeInfo(REFIID iid);

template <typename Interface>
class DualObject : public CountedObject<Interface> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count)
      return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (!info)
      return E_POINTER;
    *info = nullptr;
    if (index != 0)
      return DISP_E_BADINDEX;
    ComPtr<ITypeInfo> typeInfo = InterfaceTypeInfo(iid_);
    if (!typeInfo)
      return TYPE_E_CANTLOADLIBRARY;
    *info = typeInfo.Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    ComPtr<ITypeInfo> typeInfo = InterfaceTypeInfo(iid_);
    if (!typeInfo)
      return TYPE_E_CANTLOADLIBRARY;
    return DispGetIDsOfNames(typeInfo.Get(), names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception,
                                   UINT* badArgument) override {
    ComPtr<ITypeInfo> typeInfo = InterfaceTypeInfo(iid_);
    if (!typeInfo)
      return TYPE_E_CANTLOADLIBRARY;
    return DispInvoke(static_cast<Interface*>(this), typeInfo.Get(), id, flags, parameters, result,
                      exception, badArgument);
  }

 protected:
  explicit DualObject(const IID& iid) : iid_(iid) {}
  bool Offers(REFIID iid) const override {
    return IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, iid_);
  }

 private:
  const IID& iid_;
};

}  // namespace tavir::addin
