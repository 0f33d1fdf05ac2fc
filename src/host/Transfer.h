// The program's code between an AppointmentRecord and a host appointment,
// and the small host lookups every operation starts with.
#pragma once

#include <string>

#include "host/DesktopInterfaces.h"
#include "model/AppointmentRecord.h"
#include "model/FieldResult.h"
#include "model/Options.h"
#include "platform/ComPtr.h"

namespace tavir {

// A note reaches the host cut to this many bytes: what the Datebook keeps.
inline constexpr std::size_t kNoteLimitBytes = 32768;

// The no-end date of a repeat rule, 2031-12-31 00:00 local time, and the
// fixed query range every Datebook query asks for.
TimeValue NoEndDate();
TimeValue QueryRangeStart();  // 1970-01-02 00:00 local
TimeValue QueryRangeEnd();    // 2031-12-31 00:00 local

// Throws ComError (E_POINTER) when the application or Datebook is missing.
ComPtr<IDesktopDatebook> OpenDatebook(const Options& options);
std::string GetCurrentUserName(const Options& options);
// None when the host has no appointment with that id (its error is dropped).
ComPtr<IDesktopAppointment> FindHostAppointment(IDesktopDatebook* datebook, std::int32_t recordId);

// 0 read, -1 skipped (no valid start or end).
int ReadFromHost(AppointmentRecord& record, IDesktopAppointment* appointment);
// Ok when done or when the user chose to go on after a host error, Cancelled
// when the user stopped; InvalidRepeatEndDate, InvalidRepeatType and
// InvalidExceptionDate for a repeat rule the Datebook cannot take (the
// appointment stays, without the rule or its exceptions).
FieldResult AddToHost(AppointmentRecord& record, IDesktopDatebook* datebook,
                      ComPtr<IDesktopAppointment>& appointment);
FieldResult UpdateHost(AppointmentRecord& record, IDesktopDatebook* datebook,
                       IDesktopAppointment* appointment);
FieldResult WriteCommonFields(AppointmentRecord& record, IDesktopAppointment* appointment);
FieldResult WriteRepeat(AppointmentRecord& record, IDesktopAppointment* appointment);

}  // namespace tavir
