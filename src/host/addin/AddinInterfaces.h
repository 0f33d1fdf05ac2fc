// The host's add-in framework: the two dual interfaces an add-in implements.
// Their layout matches the type library the module carries.
#pragma once

#include "host/DesktopInterfaces.h"

namespace tavir {

struct IDesktopAddin : public IDispatch {
  // pbSuccess receives 1 on success, 0 on failure; the call itself always
  // answers S_OK. dwDesktopVersion and lParam are the host's and unused.
  virtual HRESULT STDMETHODCALLTYPE OnInitialize(IDispatch* pUnk, HostLong dwCookie,
                                                 HostLong dwDesktopVersion, HostLong lParam,
                                                 HostLong* pbSuccess) = 0;         // 1
  virtual HRESULT STDMETHODCALLTYPE OnUninitialize() = 0;                          // 2
  virtual HRESULT STDMETHODCALLTYPE GetFrameworkVersion(HostLong* plVersion) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE ShowAboutBox(HostLong hWndParent) = 0;         // 4
  virtual HRESULT STDMETHODCALLTYPE ShowProperties(HostLong hWndParent) = 0;       // 5
};

struct IDesktopCommand : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE OnCommand() = 0;  // 1
};

}  // namespace tavir
