// TAVIRAddInAddin (Windows): keeps the host object, registers the command
// with its menu item, and answers the host's small questions.
#include "host/HostCalls.h"
#include "host/addin/AddinIds.h"
#include "host/addin/DualObject.h"
#include "host/addin/MessageBoxes.h"
#include "host/addin/Objects.h"
#include "platform/ComError.h"
#include "platform/ComOwners.h"

namespace tavir::addin {
namespace {

constexpr const char* kCommandManager = "IDesktopCommandManager";

HWND WindowOf(HostLong handle) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
}

// Registers the command and, when the host answers exactly S_OK, its menu item.
void RegisterCommand(IUnknown* host, HostLong cookie) {
  ComPtr<IDesktopApplication> application = QueryApplication(host);
  if (!application)
    ThrowMissingObject("IDesktopApplication");
  ComPtr<IDesktopCommandManager> manager;
  ThrowIfFailed(application->get_CommandManager(manager.Receive()), "IDesktopApplication");
  if (!manager)
    ThrowMissingObject(kCommandManager);
  // The host keeps the command if it wants it; our reference ends here.
  const ComPtr<IDesktopCommand> command = NewCommandObject(ComPtr<IUnknown>(host));
  const Bstr name(std::string{kCommandName});
  HostLong commandId = 0;
  const HRESULT registered =
      manager->RegisterCommand(cookie, name.Get(), command.Get(), &commandId);
  ThrowIfFailed(registered, kCommandManager);
  if (registered != S_OK)
    return;
  const Bstr text(std::string{kMenuText});
  ThrowIfFailed(manager->AddMenuItem(commandId, OwnModule(), kMenuBitmap, text.Get(), kMenuFlags),
                kCommandManager);
}

class AddinObject final : public DualObject<IDesktopAddin> {
 public:
  AddinObject() : DualObject(kIDesktopAddin) {}

  HRESULT STDMETHODCALLTYPE OnInitialize(IDispatch* pUnk, HostLong dwCookie, HostLong, HostLong,
                                         HostLong* pbSuccess) override {
    const ModuleEntry entry;
    if (!pbSuccess)
      return E_POINTER;
    cookie_ = dwCookie;
    host_ = ComPtr<IUnknown>(pUnk);
    try {
      RegisterCommand(host_.Get(), cookie_);
      *pbSuccess = 1;
    } catch (const ComError& failure) {
      ShowAddinMessage(GetActiveWindow(), failure.ErrorMessage(), MB_ICONEXCLAMATION);
      *pbSuccess = 0;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnUninitialize() override {
    const ModuleEntry entry;
    cookie_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetFrameworkVersion(HostLong* plVersion) override {
    const ModuleEntry entry;
    if (!plVersion)
      return E_POINTER;
    *plVersion = kFrameworkVersion;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ShowAboutBox(HostLong hWndParent) override {
    const ModuleEntry entry;
    ShowAddinMessage(WindowOf(hWndParent), "TAVIRAddInAddin AboutBox", 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ShowProperties(HostLong hWndParent) override {
    const ModuleEntry entry;
    ShowAddinMessage(WindowOf(hWndParent), "TAVIRAddInAddin Properties Dialog", 0);
    return S_OK;
  }

 private:
  HostLong cookie_ = 0;
  ComPtr<IUnknown> host_;
};

}  // namespace

ComPtr<IDesktopAddin> NewAddinObject() {
  return ComPtr<IDesktopAddin>(new AddinObject());
}

}  // namespace tavir::addin
