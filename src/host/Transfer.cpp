// Reading host appointments into records, and the lookups every operation
// starts with: the Datebook, the current user, an appointment by record id.
#include "host/Transfer.h"

#include <cstdint>

#include "host/HostCalls.h"
#include "model/Saturate.h"
#include "platform/ComError.h"

namespace tavir {

TimeValue NoEndDate() { return BuildLocal(2031, 12, 31, 0, 0, 0); }
TimeValue QueryRangeStart() { return BuildLocal(1970, 1, 2, 0, 0, 0); }
TimeValue QueryRangeEnd() { return NoEndDate(); }

ComPtr<IDesktopDatebook> OpenDatebook(const Options& options) {
  const ComPtr<IDesktopApplication> application = QueryApplication(options.host.Get());
  if (!application) ThrowMissingObject("IDesktopApplication");
  const ComPtr<IDispatch> object = ReadDatebookObject(application.Get());
  HRESULT hr = S_OK;
  ComPtr<IDesktopDatebook> datebook = object.Query<IDesktopDatebook>(IID_IDesktopDatebook, &hr);
  if (object && FAILED(hr) && hr != E_NOINTERFACE) ThrowIfFailed(hr, "IDesktopDatebook");
  if (!datebook) ThrowMissingObject("IDesktopDatebook");
  return datebook;
}

std::string GetCurrentUserName(const Options& options) {
  const ComPtr<IDesktopApplication> application = QueryApplication(options.host.Get());
  if (!application) ThrowMissingObject("IDesktopApplication");
  const ComPtr<IDesktopUser> user = ReadCurrentUser(application.Get());
  if (!user) ThrowMissingObject("IDesktopUser");
  return ReadUserName(user.Get());
}

ComPtr<IDesktopAppointment> FindHostAppointment(IDesktopDatebook* datebook,
                                                std::int32_t recordId) {
  if (!datebook) return {};
  try {
    return GetAppointment(datebook, recordId);
  } catch (const ComError&) {
    return {};  // the host fails the call for an id it does not know
  }
}

int ReadFromHost(AppointmentRecord& record, IDesktopAppointment* appointment) {
  record.text = ReadDescription(appointment);
  record.note = ReadNote(appointment);
  record.isPrivate = ReadPrivate(appointment);
  record.untimed = ReadUntimed(appointment);
  record.recordId = ReadRecordId(appointment);

  const TimeValue start = ReadStartTime(appointment);
  if (start == 0 || start == -1) return -1;
  record.SetDate(start);
  record.SetStartTime(start);
  if (!record.untimed) {
    const TimeValue end = ReadEndTime(appointment);
    if (end == 0) return -1;
    record.SetEndTime(end);
    // A damaged host time may lie decades away; the span must not wrap.
    record.timeSpan = SaturateToInt32(std::int64_t{end} - start);
  }

  if (ReadAlarmFlag(appointment)) {
    const HostAlarm alarm = ReadAlarm(appointment);
    record.alarmUnit = alarm.unit;
    record.alarmAmount = alarm.amount;
    record.alarm = 1;
  } else {
    record.alarm = 0;
  }

  if (ReadRepeating(appointment)) {
    record.repeat = 1;
    const HostRepeat rule = ReadRepeat(appointment);
    record.repeatType = rule.type;
    record.repeatInterval = rule.interval;
    if (rule.type == MonthlyDay)
      record.monthlyWeekIndex = rule.extra;
    else if (rule.type == Weekly)
      record.weekDays = static_cast<std::uint8_t>(rule.extra & 0xFF);
    if (rule.end != 0) record.repeatEnd = rule.end;
  } else {
    record.repeat = 0;
  }

  // Location and category exist only on hosts with IDesktopAppointment2;
  // trouble reading them costs those two fields, never the appointment.
  try {
    if (QuerySecondInterface(appointment)) {
      record.location = ReadLocation(appointment);
      record.category = ReadCategory(appointment);
    }
  } catch (const ComError&) {
  }
  return 0;
}

}  // namespace tavir
