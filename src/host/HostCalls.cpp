// Thin typed wrappers over host calls.
#include "host/HostCalls.h"

#include "host/Transfer.h"
#include "platform/ComError.h"
#include "platform/ComOwners.h"

namespace tavir {

namespace {
constexpr const char* kAppointment = "IDesktopAppointment";
}  // namespace

ComPtr<IDesktopAppointments> QueryAllAppointments(IDesktopDatebook* datebook) {
  if (!datebook) ThrowIfFailed(E_POINTER, "IDesktopDatebook");
  ComPtr<IDesktopAppointments> appointments;
  ThrowIfFailed(datebook->GetAppointments(QueryRangeStart(), QueryRangeEnd(), appointments.Receive()),
                "IDesktopDatebook");
  if (!appointments) ThrowIfFailed(E_POINTER, "IDesktopDatebook");
  return appointments;
}

HostLong ReadCount(IDesktopAppointments* appointments) {
  HostLong count = 0;
  ThrowIfFailed(appointments->get_Count(&count), "IDesktopAppointments");
  return count;
}

ComPtr<IDesktopAppointment> ReadItem(IDesktopAppointments* appointments, HostLong index) {
  ComPtr<IDesktopAppointment> appointment;
  ThrowIfFailed(appointments->get_Item(index, appointment.Receive()), "IDesktopAppointments");
  return appointment;
}

std::string ReadDescription(IDesktopAppointment* appointment) {
  Bstr text;
  ThrowIfFailed(appointment->get_Description(text.Receive()), kAppointment);
  return text.ToAnsi();
}

std::string ReadNote(IDesktopAppointment* appointment) {
  Bstr note;
  ThrowIfFailed(appointment->get_Note(note.Receive()), kAppointment);
  return note.ToAnsi();
}

bool ReadRepeating(IDesktopAppointment* appointment) {
  HostLong repeating = 0;
  ThrowIfFailed(appointment->get_Repeating(&repeating), kAppointment);
  return repeating != 0;
}

TimeValue ReadStartTime(IDesktopAppointment* appointment) {
  TimeValue start = 0;
  ThrowIfFailed(appointment->get_StartTime(&start), kAppointment);
  return start;
}

bool ReadAlarmFlag(IDesktopAppointment* appointment) {
  HostLong alarm = 0;
  ThrowIfFailed(appointment->get_Alarm(&alarm), kAppointment);
  return alarm != 0;
}

HostLong ReadExceptionCount(IDesktopAppointment* appointment) {
  HostLong count = 0;
  ThrowIfFailed(appointment->get_ExceptionCount(&count), kAppointment);
  return count;
}

ComPtr<IDesktopAppointment2> QuerySecondInterface(IDesktopAppointment* appointment) {
  HRESULT hr = S_OK;
  ComPtr<IDesktopAppointment2> second =
      ComPtr<IDesktopAppointment>(appointment).Query<IDesktopAppointment2>(IID_IDesktopAppointment2, &hr);
  if (FAILED(hr) && hr != E_NOINTERFACE) ThrowIfFailed(hr, kAppointment);
  return second;
}

std::string ReadLocation(IDesktopAppointment* appointment) {
  ComPtr<IDesktopAppointment2> second = QuerySecondInterface(appointment);
  if (!second) return {};
  Bstr location;
  ThrowIfFailed(second->get_Location(location.Receive()), "IDesktopAppointment2");
  return location.ToAnsi();
}

std::string ReadCategory(IDesktopAppointment* appointment) {
  try {
    if (!QuerySecondInterface(appointment)) return {};
    Bstr category;
    if (FAILED(appointment->get_Category(category.Receive()))) return {};
    return category.ToAnsi();
  } catch (...) {
    // A host that faults inside this call must not end the operation.
    return {};
  }
}

}  // namespace tavir
