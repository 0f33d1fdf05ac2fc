// Thin typed wrappers over host calls.
#include "host/HostCalls.h"

#include "host/Transfer.h"
#include "platform/ComError.h"
#include "platform/ComOwners.h"
#include "platform/FaultGuard.h"

namespace tavir {

namespace {
constexpr const char* kApplication = "IDesktopApplication";
constexpr const char* kDatebook = "IDesktopDatebook";
constexpr const char* kAppointment = "IDesktopAppointment";
constexpr const char* kAppointment2 = "IDesktopAppointment2";

// One value out of an appointment's property getter; a failure throws.
template <typename Value>
Value ReadValue(IDesktopAppointment* appointment,
                HRESULT (STDMETHODCALLTYPE IDesktopAppointment::*getter)(Value*)) {
  Value value{};
  ThrowIfFailed((appointment->*getter)(&value), kAppointment);
  return value;
}

// A text into an appointment's property setter; a failure throws.
template <typename Interface>
void WriteText(Interface* appointment, HRESULT (STDMETHODCALLTYPE Interface::*setter)(BSTR),
               const std::string& text, const char* interfaceName) {
  const Bstr value(text);
  ThrowIfFailed((appointment->*setter)(value.Get()), interfaceName);
}
}  // namespace

void ThrowMissingObject(const char* interfaceName) {
  // Thrown directly: the thread's error information belongs to some earlier
  // call and does not describe a missing object.
  throw ComError(E_POINTER, interfaceName, "");
}

ComPtr<IDesktopApplication> QueryApplication(IUnknown* host) {
  if (!host) return {};
  HRESULT hr = S_OK;
  ComPtr<IDesktopApplication> application =
      ComPtr<IUnknown>(host).Query<IDesktopApplication>(IID_IDesktopApplication, &hr);
  if (FAILED(hr) && hr != E_NOINTERFACE) ThrowIfFailed(hr, kApplication);
  return application;
}

ComPtr<IDispatch> ReadDatebookObject(IDesktopApplication* application) {
  ComPtr<IDispatch> datebook;
  ThrowIfFailed(application->get_Datebook(datebook.Receive()), kApplication);
  return datebook;
}

ComPtr<IDesktopUser> ReadCurrentUser(IDesktopApplication* application) {
  ComPtr<IDesktopUser> user;
  ThrowIfFailed(application->get_CurrentUser(user.Receive()), kApplication);
  return user;
}

std::string ReadUserName(IDesktopUser* user) {
  Bstr name;
  ThrowIfFailed(user->get_Name(name.Receive()), "IDesktopUser");
  return name.ToAnsi();
}

ComPtr<IDesktopAppointment> AddAppointment(IDesktopDatebook* datebook, TimeValue start,
                                           TimeValue end, const std::string& text) {
  const Bstr description(text);
  ComPtr<IDesktopAppointment> appointment;
  ThrowIfFailed(datebook->AddAppointment(start, end, description.Get(), appointment.Receive()),
                kDatebook);
  if (!appointment) ThrowMissingObject(kDatebook);
  return appointment;
}

ComPtr<IDesktopAppointment> GetAppointment(IDesktopDatebook* datebook, HostLong recordId) {
  ComPtr<IDesktopAppointment> appointment;
  ThrowIfFailed(datebook->GetAppointment(recordId, appointment.Receive()), kDatebook);
  if (!appointment) ThrowMissingObject(kDatebook);
  return appointment;
}

ComPtr<IDesktopAppointments> QueryAllAppointments(IDesktopDatebook* datebook) {
  if (!datebook) ThrowMissingObject(kDatebook);
  ComPtr<IDesktopAppointments> appointments;
  ThrowIfFailed(datebook->GetAppointments(QueryRangeStart(), QueryRangeEnd(), appointments.Receive()),
                "IDesktopDatebook");
  if (!appointments) ThrowMissingObject(kDatebook);
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
  return ReadValue<HostLong>(appointment, &IDesktopAppointment::get_Repeating) != 0;
}

TimeValue ReadStartTime(IDesktopAppointment* appointment) {
  return ReadValue<TimeValue>(appointment, &IDesktopAppointment::get_StartTime);
}

TimeValue ReadEndTime(IDesktopAppointment* appointment) {
  return ReadValue<TimeValue>(appointment, &IDesktopAppointment::get_EndTime);
}

HostLong ReadUntimed(IDesktopAppointment* appointment) {
  return ReadValue<HostLong>(appointment, &IDesktopAppointment::get_Untimed);
}

HostLong ReadPrivate(IDesktopAppointment* appointment) {
  return ReadValue<HostLong>(appointment, &IDesktopAppointment::get_Private);
}

HostLong ReadRecordId(IDesktopAppointment* appointment) {
  return ReadValue<HostLong>(appointment, &IDesktopAppointment::get_RecordID);
}

HostAlarm ReadAlarm(IDesktopAppointment* appointment) {
  HostAlarm alarm;
  ThrowIfFailed(appointment->GetAlarm(&alarm.unit, &alarm.amount), kAppointment);
  return alarm;
}

HostRepeat ReadRepeat(IDesktopAppointment* appointment) {
  HostRepeat rule;
  ThrowIfFailed(appointment->GetRepeat(&rule.type, &rule.interval, &rule.end, &rule.extra),
                kAppointment);
  return rule;
}

bool ReadAlarmFlag(IDesktopAppointment* appointment) {
  return ReadValue<HostLong>(appointment, &IDesktopAppointment::get_Alarm) != 0;
}

HostLong ReadExceptionCount(IDesktopAppointment* appointment) {
  return ReadValue<HostLong>(appointment, &IDesktopAppointment::get_ExceptionCount);
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
  ThrowIfFailed(second->get_Location(location.Receive()), kAppointment2);
  return location.ToAnsi();
}

std::string ReadCategory(IDesktopAppointment* appointment) {
  try {
    if (!QuerySecondInterface(appointment)) return {};
  } catch (const ComError&) {
    return {};
  }
  // Some hosts fault inside this call; the guard turns that into "no
  // category". Only plain values cross it: nothing there needs unwinding.
  BSTR raw = nullptr;
  HRESULT hr = E_FAIL;
  auto call = [&] { hr = appointment->get_Category(&raw); };
  if (!RunFaultGuarded(call)) return {};  // raw may be garbage: left alone
  Bstr category;
  *category.Receive() = raw;
  if (FAILED(hr)) return {};
  return category.ToAnsi();
}

void WriteUntimed(IDesktopAppointment* appointment, bool untimed) {
  ThrowIfFailed(appointment->put_Untimed(untimed ? 1 : 0), kAppointment);
}

void WriteDescription(IDesktopAppointment* appointment, const std::string& text) {
  WriteText(appointment, &IDesktopAppointment::put_Description, text, kAppointment);
}

void WriteNote(IDesktopAppointment* appointment, const std::string& note) {
  WriteText(appointment, &IDesktopAppointment::put_Note, note, kAppointment);
}

void WritePrivate(IDesktopAppointment* appointment, bool isPrivate) {
  ThrowIfFailed(appointment->put_Private(isPrivate ? 1 : 0), kAppointment);
}

void WriteAlarmFlag(IDesktopAppointment* appointment, bool alarm) {
  ThrowIfFailed(appointment->put_Alarm(alarm ? 1 : 0), kAppointment);
}

void WriteCategory(IDesktopAppointment* appointment, const std::string& category) {
  WriteText(appointment, &IDesktopAppointment::put_Category, category, kAppointment);
}

void WriteLocation(IDesktopAppointment2* appointment, const std::string& location) {
  WriteText(appointment, &IDesktopAppointment2::put_Location, location, kAppointment2);
}

void SetAlarm(IDesktopAppointment* appointment, HostLong unit, HostLong amount) {
  ThrowIfFailed(appointment->SetAlarm(unit, amount), kAppointment);
}

void SetRepeat(IDesktopAppointment* appointment, const HostRepeat& rule) {
  ThrowIfFailed(appointment->SetRepeat(rule.type, rule.interval, rule.end, rule.extra),
                kAppointment);
}

void AddException(IDesktopAppointment* appointment, TimeValue day) {
  ThrowIfFailed(appointment->AddException(day), kAppointment);
}

void SetTimes(IDesktopAppointment2* appointment, TimeValue start, TimeValue end) {
  ThrowIfFailed(appointment->SetTimes(start, end), kAppointment2);
}

void DeleteAppointment(IDesktopAppointment* appointment, bool archive) {
  ThrowIfFailed(appointment->Delete(archive ? 1 : 0), kAppointment);
}

}  // namespace tavir
