// The appointment collection: count and items of a snapshot.
#include "desktop/DesktopAppointments.h"

#include <string>

#include "desktop/DesktopAppointment.h"

namespace tavir {

DesktopAppointments::DesktopAppointments(std::shared_ptr<DatebookData> datebook,
                                         std::vector<std::int32_t> items)
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
    // Far enough ahead for memory to answer before the item is asked for.
    const auto ahead = static_cast<std::size_t>(index) + 4;
    if (ahead + 4 < items_.size())
      datebook_->Prefetch(items_[ahead], items_[ahead + 4]);
    DatebookData::Location found = datebook_->Locate(items_[index]);
    if (found.storedRow) {
      return ReturnObject(MakeDesktopObject<DesktopAppointment>(datebook_, *found.storedRow),
                          appointment);
    }
    if (!found.object) {
      return ReportError(E_FAIL, "The appointment with the record id " +
                                     std::to_string(items_[index]) + " is gone.");
    }
    return ReturnObject(MakeDesktopObject<DesktopAppointment>(datebook_, std::move(found.object)),
                        appointment);
  });
}

}  // namespace tavir
