// Thin typed wrappers over the host calls the program makes: a failed HRESULT
// throws ComError naming the interface; BSTR results come back as ANSI text,
// and ANSI texts go to the host as BSTRs. A missing result object throws
// ComError with E_POINTER.
#pragma once

#include <string>

#include "host/DesktopInterfaces.h"
#include "platform/ComPtr.h"

namespace tavir {

// Throws ComError(E_POINTER) for a host object that is not there.
[[noreturn]] void ThrowMissingObject(const char* interfaceName);

// The application behind the host's object; empty when there is no host
// object or it does not offer IDesktopApplication. Other failures throw.
ComPtr<IDesktopApplication> QueryApplication(IUnknown* host);
// The Datebook object (not yet asked for IDesktopDatebook).
ComPtr<IDispatch> ReadDatebookObject(IDesktopApplication* application);
ComPtr<IDesktopUser> ReadCurrentUser(IDesktopApplication* application);
std::string ReadUserName(IDesktopUser* user);
ComPtr<IDesktopAppointment> AddAppointment(IDesktopDatebook* datebook, TimeValue start,
                                           TimeValue end, const std::string& text);
// Throws when the Datebook has no appointment with that id.
ComPtr<IDesktopAppointment> GetAppointment(IDesktopDatebook* datebook, HostLong recordId);

// All appointments of the fixed query range (1970-01-02 to 2031-12-31 local).
ComPtr<IDesktopAppointments> QueryAllAppointments(IDesktopDatebook* datebook);
HostLong ReadCount(IDesktopAppointments* appointments);
// Empty when the host hands out no appointment for that slot.
ComPtr<IDesktopAppointment> ReadItem(IDesktopAppointments* appointments, HostLong index);

std::string ReadDescription(IDesktopAppointment* appointment);
std::string ReadNote(IDesktopAppointment* appointment);
bool ReadRepeating(IDesktopAppointment* appointment);
TimeValue ReadStartTime(IDesktopAppointment* appointment);
TimeValue ReadEndTime(IDesktopAppointment* appointment);
// Flags as the host gives them: non-zero is set.
HostLong ReadUntimed(IDesktopAppointment* appointment);
HostLong ReadPrivate(IDesktopAppointment* appointment);
HostLong ReadRecordId(IDesktopAppointment* appointment);
bool ReadAlarmFlag(IDesktopAppointment* appointment);
struct HostAlarm {
  HostLong unit = 0;
  HostLong amount = 0;
};
HostAlarm ReadAlarm(IDesktopAppointment* appointment);
struct HostRepeat {
  HostLong type = 0;
  HostLong interval = 0;
  TimeValue end = 0;    // 0: no end
  HostLong extra = 0;   // weekday set (weekly), week index (monthly by day)
};
HostRepeat ReadRepeat(IDesktopAppointment* appointment);
HostLong ReadExceptionCount(IDesktopAppointment* appointment);
// The optional second interface; empty when the host does not offer it.
ComPtr<IDesktopAppointment2> QuerySecondInterface(IDesktopAppointment* appointment);
// Empty when the host has no IDesktopAppointment2; failures throw.
std::string ReadLocation(IDesktopAppointment* appointment);
// Read only where IDesktopAppointment2 exists, and guarded: any failure or
// fault of the call gives the empty text.
std::string ReadCategory(IDesktopAppointment* appointment);

void WriteUntimed(IDesktopAppointment* appointment, bool untimed);
void WriteDescription(IDesktopAppointment* appointment, const std::string& text);
void WriteNote(IDesktopAppointment* appointment, const std::string& note);
void WritePrivate(IDesktopAppointment* appointment, bool isPrivate);
void WriteAlarmFlag(IDesktopAppointment* appointment, bool alarm);
void WriteCategory(IDesktopAppointment* appointment, const std::string& category);
void WriteLocation(IDesktopAppointment2* appointment, const std::string& location);
void SetAlarm(IDesktopAppointment* appointment, HostLong unit, HostLong amount);
void SetRepeat(IDesktopAppointment* appointment, const HostRepeat& rule);
void AddException(IDesktopAppointment* appointment, TimeValue day);
void SetTimes(IDesktopAppointment2* appointment, TimeValue start, TimeValue end);
// archive: mark for archival at the next HotSync instead of deleting.
void DeleteAppointment(IDesktopAppointment* appointment, bool archive);

}  // namespace tavir
