// Portable error information: one IErrorInfo slot per thread, and the
// object that CreateErrorInfo hands out to fill it.
#include <string>

#include "platform/ComObject.h"
#include "platform/ComPtr.h"

namespace {

using tavir::ComPtr;
using tavir::WideString;

class ErrorInfo final : public tavir::ComObject<IErrorInfo, ICreateErrorInfo> {
 public:
  HRESULT STDMETHODCALLTYPE GetGUID(GUID* guid) override {
    if (!guid)
      return E_INVALIDARG;
    *guid = guid_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSource(BSTR* text) override { return Copy(source_, text); }
  HRESULT STDMETHODCALLTYPE GetDescription(BSTR* text) override { return Copy(description_, text); }
  HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR* text) override { return Copy(helpFile_, text); }
  HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD* context) override {
    if (!context)
      return E_INVALIDARG;
    *context = helpContext_;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE SetGUID(REFGUID guid) override {
    guid_ = guid;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetSource(LPOLESTR text) override { return Assign(source_, text); }
  HRESULT STDMETHODCALLTYPE SetDescription(LPOLESTR text) override {
    return Assign(description_, text);
  }
  HRESULT STDMETHODCALLTYPE SetHelpFile(LPOLESTR text) override { return Assign(helpFile_, text); }
  HRESULT STDMETHODCALLTYPE SetHelpContext(DWORD context) override {
    helpContext_ = context;
    return S_OK;
  }

 private:
  void* Find(REFIID iid) override {
    if (iid == IID_IErrorInfo)
      return static_cast<IErrorInfo*>(this);
    if (iid == IID_ICreateErrorInfo)
      return static_cast<ICreateErrorInfo*>(this);
    return nullptr;
  }

  static HRESULT Copy(const WideString& text, BSTR* out) {
    if (!out)
      return E_INVALIDARG;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  static HRESULT Assign(WideString& field, LPOLESTR text) {
    field = text ? WideString(text) : WideString();
    return S_OK;
  }

  GUID guid_ = GUID_NULL;
  WideString source_, description_, helpFile_;
  DWORD helpContext_ = 0;
};

thread_local ComPtr<IErrorInfo> threadErrorInfo;

}  // namespace

HRESULT SetErrorInfo(ULONG, IErrorInfo* info) {
  threadErrorInfo = ComPtr<IErrorInfo>(info);
  return S_OK;
}

HRESULT GetErrorInfo(ULONG, IErrorInfo** info) {
  if (!info)
    return E_INVALIDARG;
  *info = threadErrorInfo.Detach();
  return *info ? S_OK : S_FALSE;
}

HRESULT CreateErrorInfo(ICreateErrorInfo** info) {
  if (!info)
    return E_INVALIDARG;
  *info = ComPtr<ICreateErrorInfo>(new ErrorInfo).Detach();
  return S_OK;
}
