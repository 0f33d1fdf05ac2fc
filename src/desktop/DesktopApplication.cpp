// The application object: the command manager, the current user and the Datebook.
#include "desktop/DesktopApplication.h"

#include "desktop/DesktopDatebook.h"
#include "desktop/DesktopUser.h"

namespace tavir {

DesktopApplication::DesktopApplication(std::shared_ptr<DatebookData> datebook)
    : DesktopObject("IDesktopApplication", datebook->SharedFaults()),
      datebook_(std::move(datebook)),
      commandManager_(MakeDesktopObject<DesktopCommandManager>(datebook_->SharedFaults())) {}

HRESULT DesktopApplication::get_CommandManager(IDesktopCommandManager** manager) {
  return Run("get_CommandManager", [&] { return ReturnObject(commandManager_, manager); });
}

HRESULT DesktopApplication::get_CurrentUser(IDesktopUser** user) {
  return Run("get_CurrentUser",
             [&] { return ReturnObject(MakeDesktopObject<DesktopUser>(datebook_), user); });
}

HRESULT DesktopApplication::get_Datebook(IDispatch** datebook) {
  return Run("get_Datebook",
             [&] { return ReturnObject(MakeDesktopObject<DesktopDatebook>(datebook_), datebook); });
}

}  // namespace tavir
