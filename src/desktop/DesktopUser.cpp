// The current user: the datebook's user name.
#include "desktop/DesktopUser.h"

namespace tavir {

DesktopUser::DesktopUser(std::shared_ptr<DatebookData> datebook)
    : DesktopObject("IDesktopUser", datebook->SharedFaults()), datebook_(std::move(datebook)) {}

HRESULT DesktopUser::get_Name(BSTR* name) {
  return Run("get_Name", [&] { return ReturnText(datebook_->UserName(), name); });
}

}  // namespace tavir
