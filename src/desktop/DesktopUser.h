// The current user of the stand-alone datebook (IDesktopUser).
#pragma once

#include <memory>

#include "desktop/DatebookData.h"
#include "desktop/DesktopObject.h"
#include "host/DesktopInterfaces.h"

namespace tavir {

class DesktopUser final : public DesktopObject<IDesktopUser> {
 public:
  explicit DesktopUser(std::shared_ptr<DatebookData> datebook);

  HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override;
  TAVIR_DESKTOP_PLACEHOLDER(7)

 protected:
  bool Offers(REFIID iid) const override { return IsEqualIID(iid, IID_IDesktopUser); }

 private:
  std::shared_ptr<DatebookData> datebook_;
};

}  // namespace tavir
