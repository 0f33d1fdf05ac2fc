// The Datebook object: hands out collections and appointments over the data.
#include "desktop/DesktopDatebook.h"

#include <string>

#include "desktop/DesktopAppointment.h"
#include "desktop/DesktopAppointments.h"

namespace tavir {

DesktopDatebook::DesktopDatebook(std::shared_ptr<DatebookData> datebook)
    : DesktopObject("IDesktopDatebook", datebook->SharedFaults()), datebook_(std::move(datebook)) {}

HRESULT DesktopDatebook::GetAppointments(TimeValue from, TimeValue to,
                                         IDesktopAppointments** appointments) {
  return Run("GetAppointments", [&] {
    return ReturnObject(
        MakeDesktopObject<DesktopAppointments>(datebook_, datebook_->Query(from, to)),
        appointments);
  });
}

HRESULT DesktopDatebook::AddAppointment(TimeValue start, TimeValue end, BSTR text,
                                        IDesktopAppointment** appointment) {
  return Run("AddAppointment", [&] {
    if (!appointment)
      return E_POINTER;
    AppointmentData added;
    added.start = start;
    added.end = end;
    added.description = TextOf(text);
    return ReturnObject(MakeDesktopObject<DesktopAppointment>(datebook_, datebook_->Add(added)),
                        appointment);
  });
}

HRESULT DesktopDatebook::GetAppointment(HostLong recordId, IDesktopAppointment** appointment) {
  return Run("GetAppointment", [&] {
    if (!appointment)
      return E_POINTER;
    *appointment = nullptr;
    auto found = datebook_->FindActive(recordId);
    if (!found) {
      return ReportError(E_INVALIDARG,
                         "No appointment has the record id " + std::to_string(recordId) + ".");
    }
    return ReturnObject(MakeDesktopObject<DesktopAppointment>(datebook_, found), appointment);
  });
}

}  // namespace tavir
