// What every COM object of the stand-alone datebook shares: QueryInterface
// also for IDispatch and refused on an injected fault, an
// IDispatch without type information, and the entry guard that applies
// injected faults and turns C++ exceptions into HRESULTs.
#pragma once

#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "platform/ComObject.h"
#include "platform/ComPtr.h"
#include "platform/FaultInjector.h"

namespace tavir {

// Sets the calling thread's error information to text (UTF-8) and returns
// error, so that a failing method can end with `return ReportError(...)`.
HRESULT ReportError(HRESULT error, const std::string& text);

// How many of these objects exist now; tests check that it returns to zero.
int LiveDesktopObjects();

namespace desktop_detail {
void CountObject(int change);
}

// Placeholder methods fill the slots of host methods nobody calls.
#define TAVIR_DESKTOP_PLACEHOLDER(slot)                    \
  HRESULT STDMETHODCALLTYPE Placeholder##slot() override { \
    return E_NOTIMPL;                                      \
  }

template <typename Interface>
class DesktopObject : public ComObject<Interface> {
 public:
  // An injected failure refuses every interface.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object) {
      if (HRESULT injected = Injected(interfaceName_, "QueryInterface"); FAILED(injected)) {
        *object = nullptr;
        return injected;
      }
    }
    return ComObject<Interface>::QueryInterface(iid, object);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count)
      return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

 protected:
  DesktopObject(const char* interfaceName, std::shared_ptr<FaultInjector> faults)
      : interfaceName_(interfaceName), faults_(std::move(faults)) {
    desktop_detail::CountObject(1);
  }
  virtual ~DesktopObject() { desktop_detail::CountObject(-1); }

  // Every interface of the host is a dual one.
  void* Find(REFIID iid) override {
    return IsEqualIID(iid, IID_IDispatch) ? static_cast<Interface*>(this)
                                          : ComObject<Interface>::Find(iid);
  }

  // Runs one method: an injected failure ends it before it does anything; an
  // injected success code replaces S_OK after it ran; exceptions become
  // HRESULTs with their text as error information.
  template <typename Body>
  HRESULT Run(const char* method, Body&& body) noexcept {
    return RunOn(interfaceName_, method, std::forward<Body>(body));
  }
  template <typename Body>
  HRESULT RunOn(const char* interfaceName, const char* method, Body&& body) noexcept {
    // A failure without a text of its own must not carry an older one.
    SetErrorInfo(0, nullptr);
    try {
      const HRESULT injected = Injected(interfaceName, method);
      if (FAILED(injected))
        return injected;
      const HRESULT result = body();
      return result == S_OK ? injected : result;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (const std::exception& error) {
      return ReportError(E_FAIL, error.what());
    }
  }

  FaultInjector& Faults() const { return *faults_; }

 private:
  // S_OK, or the injected result with its error information already set.
  HRESULT Injected(const char* interfaceName, const char* method) {
    const std::optional<InjectedFault> fault = faults_->Hit(interfaceName, method);
    return fault ? ReportError(fault->error, fault->description) : S_OK;
  }

  const char* interfaceName_;
  std::shared_ptr<FaultInjector> faults_;
};

// Creates an object and hands out the first reference.
template <typename Object, typename... Arguments>
ComPtr<Object> MakeDesktopObject(Arguments&&... arguments) {
  return ComPtr<Object>(new Object(std::forward<Arguments>(arguments)...));
}

// Out-parameter helpers: a null out pointer is E_POINTER.
HRESULT ReturnText(std::basic_string_view<OLECHAR> text, BSTR* out);
WideString TextOf(BSTR text);  // a null BSTR is the empty text

template <typename T, typename Value>
HRESULT ReturnValue(Value value, T* out) {
  if (!out)
    return E_POINTER;
  *out = static_cast<T>(value);
  return S_OK;
}

// Hands one reference of object to the caller.
template <typename Target, typename Object>
HRESULT ReturnObject(ComPtr<Object> object, Target** out) {
  if (!out)
    return E_POINTER;
  *out = object.Detach();
  return S_OK;
}

}  // namespace tavir
