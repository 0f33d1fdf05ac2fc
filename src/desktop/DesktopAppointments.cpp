// The appointment collection: count and items of a snapshot.
#include "desktop/DesktopAppointments.h"

#include <string>

#include "desktop/DesktopAppointment.h"

namespace tavir {

DesktopAppointments::DesktopAppointments(std::shared_ptr<DatebookData> datebook,
                                         std::vector<std::shared_ptr<AppointmentData>> items)
    : DesktopObject("IDesktopAppointments", datebook->SharedFaults()),
      datebook_(std::move(datebook)),
      items_(std::move(items)) {}

HRESULT DesktopAppointments::get_Count(HostLong* count) {
  return Run("get_Count", [&] { return ReturnValue(items_.size(), count); });
}

HRESULT DesktopAppointments::get_Item(HostLong index, IDesktopAppointment** appointment) {
  return Run("get_Item", [&] {
    if (!appointment)
      return E_POINTER;
    *appointment = nullptr;
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) {
      return ReportError(E_INVALIDARG, "No appointment at index " + std::to_string(index) + ".");
    }
    return ReturnObject(MakeDesktopObject<DesktopAppointment>(datebook_, items_[index]),
                        appointment);
  });
}

}  // namespace tavir
