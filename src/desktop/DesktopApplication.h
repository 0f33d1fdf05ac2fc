// The host application object (IDesktopApplication) over one datebook: the
// object an add-in receives in OnInitialize.
#pragma once

#include <memory>

#include "desktop/DatebookData.h"
#include "desktop/DesktopCommandManager.h"
#include "desktop/DesktopObject.h"
#include "host/DesktopInterfaces.h"

namespace tavir {

class DesktopApplication final : public DesktopObject<IDesktopApplication> {
 public:
  explicit DesktopApplication(std::shared_ptr<DatebookData> datebook);

  HRESULT STDMETHODCALLTYPE get_CommandManager(IDesktopCommandManager** manager) override;
  HRESULT STDMETHODCALLTYPE get_CurrentUser(IDesktopUser** user) override;
  HRESULT STDMETHODCALLTYPE get_Datebook(IDispatch** datebook) override;
  TAVIR_DESKTOP_PLACEHOLDER(8)
  TAVIR_DESKTOP_PLACEHOLDER(10)

  // The one command manager of this application (what add-ins registered).
  DesktopCommandManager& CommandManager() const { return *commandManager_.Get(); }

 protected:
  bool Offers(REFIID iid) const override { return IsEqualIID(iid, IID_IDesktopApplication); }

 private:
  std::shared_ptr<DatebookData> datebook_;
  ComPtr<DesktopCommandManager> commandManager_;
};

}  // namespace tavir
