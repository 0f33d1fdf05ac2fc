// Thin typed wrappers over the host calls the program makes: a failed HRESULT
// throws ComError naming the interface; BSTR results come back as ANSI text.
#pragma once

#include <string>

#include "host/DesktopInterfaces.h"
#include "platform/ComPtr.h"

namespace tavir {

// All appointments of the fixed query range (1970-01-02 to 2031-12-31 local).
ComPtr<IDesktopAppointments> QueryAllAppointments(IDesktopDatebook* datebook);
HostLong ReadCount(IDesktopAppointments* appointments);
// Empty when the host hands out no appointment for that slot.
ComPtr<IDesktopAppointment> ReadItem(IDesktopAppointments* appointments, HostLong index);

std::string ReadDescription(IDesktopAppointment* appointment);
std::string ReadNote(IDesktopAppointment* appointment);
bool ReadRepeating(IDesktopAppointment* appointment);
TimeValue ReadStartTime(IDesktopAppointment* appointment);
bool ReadAlarmFlag(IDesktopAppointment* appointment);
HostLong ReadExceptionCount(IDesktopAppointment* appointment);
// The optional second interface; empty when the host does not offer it.
ComPtr<IDesktopAppointment2> QuerySecondInterface(IDesktopAppointment* appointment);
// Empty when the host has no IDesktopAppointment2; failures throw.
std::string ReadLocation(IDesktopAppointment* appointment);
// Read only where IDesktopAppointment2 exists, and guarded: any failure or
// fault of the call gives the empty text.
std::string ReadCategory(IDesktopAppointment* appointment);

}  // namespace tavir
