// The user's Datebook (IDesktopDatebook): queries, new appointments and the
// lookup by record id.
#pragma once

#include <memory>

#include "desktop/DatebookData.h"
#include "desktop/DesktopObject.h"
#include "host/DesktopInterfaces.h"

namespace tavir {

class DesktopDatebook final : public DesktopObject<IDesktopDatebook> {
 public:
  explicit DesktopDatebook(std::shared_ptr<DatebookData> datebook);

  HRESULT STDMETHODCALLTYPE GetAppointments(TimeValue from, TimeValue to,
                                            IDesktopAppointments** appointments) override;
  HRESULT STDMETHODCALLTYPE AddAppointment(TimeValue start, TimeValue end, BSTR text,
                                           IDesktopAppointment** appointment) override;
  HRESULT STDMETHODCALLTYPE GetAppointment(HostLong recordId,
                                           IDesktopAppointment** appointment) override;
  TAVIR_DESKTOP_PLACEHOLDER(7)
  TAVIR_DESKTOP_PLACEHOLDER(8)
  TAVIR_DESKTOP_PLACEHOLDER(9)
  TAVIR_DESKTOP_PLACEHOLDER(10)
  TAVIR_DESKTOP_PLACEHOLDER(12)
  TAVIR_DESKTOP_PLACEHOLDER(13)
  TAVIR_DESKTOP_PLACEHOLDER(15)
  TAVIR_DESKTOP_PLACEHOLDER(16)

 protected:
  bool Offers(REFIID iid) const override { return IsEqualIID(iid, IID_IDesktopDatebook); }

 private:
  std::shared_ptr<DatebookData> datebook_;
};

}  // namespace tavir
