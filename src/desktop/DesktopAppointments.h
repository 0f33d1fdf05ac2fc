// A collection of appointments as GetAppointments handed it out: a snapshot
// of record ids, so deleting an appointment leaves the indexes of the others
// unchanged and the deleted one still readable here. An appointment is
// materialised only when its item is asked for.
#pragma once

#include <memory>
#include <vector>

#include "desktop/DatebookData.h"
#include "desktop/DesktopObject.h"
#include "host/DesktopInterfaces.h"

namespace tavir {

class DesktopAppointments final : public DesktopObject<IDesktopAppointments> {
 public:
  DesktopAppointments(std::shared_ptr<DatebookData> datebook, std::vector<std::int32_t> items);

  HRESULT STDMETHODCALLTYPE get_Count(HostLong* count) override;
  HRESULT STDMETHODCALLTYPE get_Item(HostLong index, IDesktopAppointment** appointment) override;
  TAVIR_DESKTOP_PLACEHOLDER(7)
  TAVIR_DESKTOP_PLACEHOLDER(8)

 protected:
  bool Offers(REFIID iid) const override { return IsEqualIID(iid, IID_IDesktopAppointments); }

 private:
  std::shared_ptr<DatebookData> datebook_;
  std::vector<std::int32_t> items_;
};

}  // namespace tavir
