// One appointment of the stand-alone datebook as the host's COM object
// (IDesktopAppointment and, unless the datebook is told otherwise,
// IDesktopAppointment2). It reads and writes the shared AppointmentData; one
// made for a stored appointment reads the stored row until it needs the
// object (a change, an occurrence search) or another caller changed it.
#pragma once

#include <memory>

#include "desktop/DatebookData.h"
#include "desktop/DesktopObject.h"
#include "desktop/OccurrenceSearch.h"
#include "host/DesktopInterfaces.h"

namespace tavir {

class DesktopAppointment final : public DesktopObject<IDesktopAppointment2> {
 public:
  DesktopAppointment(std::shared_ptr<DatebookData> datebook,
                     std::shared_ptr<AppointmentData> appointment);
  DesktopAppointment(std::shared_ptr<DatebookData> datebook, std::size_t storedRow);

  HRESULT STDMETHODCALLTYPE get_StartTime(TimeValue* start) override;
  HRESULT STDMETHODCALLTYPE get_EndTime(TimeValue* end) override;
  HRESULT STDMETHODCALLTYPE get_Untimed(HostLong* untimed) override;
  HRESULT STDMETHODCALLTYPE put_Untimed(HostLong untimed) override;
  HRESULT STDMETHODCALLTYPE get_Description(BSTR* text) override;
  HRESULT STDMETHODCALLTYPE put_Description(BSTR text) override;
  HRESULT STDMETHODCALLTYPE get_Note(BSTR* note) override;
  HRESULT STDMETHODCALLTYPE put_Note(BSTR note) override;
  HRESULT STDMETHODCALLTYPE get_Repeating(HostLong* repeating) override;
  HRESULT STDMETHODCALLTYPE get_ExceptionCount(HostLong* count) override;
  HRESULT STDMETHODCALLTYPE get_Alarm(HostLong* alarm) override;
  HRESULT STDMETHODCALLTYPE put_Alarm(HostLong alarm) override;
  HRESULT STDMETHODCALLTYPE AddException(TimeValue day) override;
  HRESULT STDMETHODCALLTYPE FindFirstOccurrence(TimeValue from, TimeValue to, TimeValue* day,
                                                HostLong* found) override;
  HRESULT STDMETHODCALLTYPE FindNextOccurrence(TimeValue* cursor, TimeValue to, TimeValue* day,
                                               HostLong* found) override;
  HRESULT STDMETHODCALLTYPE SetAlarm(HostLong unit, HostLong amount) override;
  HRESULT STDMETHODCALLTYPE GetAlarm(HostLong* unit, HostLong* amount) override;
  HRESULT STDMETHODCALLTYPE GetRepeat(HostLong* type, HostLong* interval, TimeValue* end,
                                      HostLong* extra) override;
  HRESULT STDMETHODCALLTYPE SetRepeat(HostLong type, HostLong interval, TimeValue end,
                                      HostLong extra) override;
  HRESULT STDMETHODCALLTYPE get_RepeatType(HostLong* type) override;
  HRESULT STDMETHODCALLTYPE get_Category(BSTR* category) override;
  HRESULT STDMETHODCALLTYPE put_Category(BSTR category) override;
  HRESULT STDMETHODCALLTYPE get_RecordID(HostLong* recordId) override;
  HRESULT STDMETHODCALLTYPE get_Private(HostLong* isPrivate) override;
  HRESULT STDMETHODCALLTYPE put_Private(HostLong isPrivate) override;
  HRESULT STDMETHODCALLTYPE Delete(HostLong archive) override;
  HRESULT STDMETHODCALLTYPE get_Location(BSTR* location) override;
  HRESULT STDMETHODCALLTYPE put_Location(BSTR location) override;
  HRESULT STDMETHODCALLTYPE SetTimes(TimeValue start, TimeValue end) override;

  TAVIR_DESKTOP_PLACEHOLDER(7)
  TAVIR_DESKTOP_PLACEHOLDER(8)
  TAVIR_DESKTOP_PLACEHOLDER(9)
  TAVIR_DESKTOP_PLACEHOLDER(11)
  TAVIR_DESKTOP_PLACEHOLDER(12)
  TAVIR_DESKTOP_PLACEHOLDER(13)
  TAVIR_DESKTOP_PLACEHOLDER(15)
  TAVIR_DESKTOP_PLACEHOLDER(16)
  TAVIR_DESKTOP_PLACEHOLDER(17)
  TAVIR_DESKTOP_PLACEHOLDER(29)
  TAVIR_DESKTOP_PLACEHOLDER(30)
  TAVIR_DESKTOP_PLACEHOLDER(31)
  TAVIR_DESKTOP_PLACEHOLDER(33)
  TAVIR_DESKTOP_PLACEHOLDER(35)
  TAVIR_DESKTOP_PLACEHOLDER(39)
  TAVIR_DESKTOP_PLACEHOLDER(41)
  TAVIR_DESKTOP_PLACEHOLDER(46)

 protected:
  bool Offers(REFIID iid) const override;

 private:
  // A change: refused once the appointment is deleted or marked for archival;
  // recorded for the store when it succeeded.
  template <typename Change>
  HRESULT Modify(const char* interfaceName, const char* method, Change&& change);

  AppointmentView Current();
  // The shared object, materialised on first use.
  AppointmentData& Data();

  std::shared_ptr<DatebookData> datebook_;
  std::shared_ptr<AppointmentData> appointment_;  // null while read from the stored row
  std::size_t storedRow_ = 0;
  OccurrenceSearch search_;
};

}  // namespace tavir
