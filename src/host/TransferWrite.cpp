// Writing an imported record into the Datebook: a new appointment, or the
// appointment the record names by its record id. Host errors are put to the
// user, who goes on with the next record (OK) or stops the import (Cancel).
#include <cstdint>
#include <optional>

#include "host/ExceptionDates.h"
#include "host/HostCalls.h"
#include "host/ImportedTimes.h"
#include "host/Transfer.h"
#include "model/Strings.h"
#include "platform/AnsiCharacters.h"
#include "platform/ComError.h"
#include "platform/Shell.h"

namespace tavir {
namespace {

// Ok when the user goes on, Cancelled when the import stops.
FieldResult AskAfterHostError(const AppointmentRecord& record, const ComError& error) {
  const std::string message =
      FormatMessageText(LoadText(text::CannotAddAppointment).c_str(),
                        record.GetDisplayText().c_str(), error.Description().c_str());
  const MessageAnswer answer =
      CurrentShell().ShowMessage(message, MessageButtons::OkCancel, MessageIcon::Exclamation);
  return answer == MessageAnswer::Cancel ? FieldResult::Cancelled : FieldResult::Ok;
}

StartAndEnd HostTimes(const AppointmentRecord& record) {
  if (record.untimed)
    return {record.date, record.date};
  return ImportedStartAndEnd(record);
}

std::optional<HostRepeat> RepeatRule(const AppointmentRecord& record, TimeValue end) {
  switch (record.repeatType) {
    case Daily:
    case MonthlyDate:
    case Yearly:
      return HostRepeat{record.repeatType, record.repeatInterval, end, 0};
    case Weekly:
      return HostRepeat{record.repeatType, record.repeatInterval, end, record.weekDays};
    case MonthlyDay:
      return HostRepeat{record.repeatType, record.repeatInterval, end, record.monthlyWeekIndex};
    default:
      return std::nullopt;
  }
}

FieldResult WriteExceptions(const AppointmentRecord& record, IDesktopAppointment* appointment) {
  const std::string& separator = record.GetOptions().exceptiondateseparator;
  const std::optional<char> separatorChar =
      separator.empty() ? std::nullopt : std::optional<char>(separator.front());
  std::string rest = record.exceptions;
  while (!rest.empty()) {
    const std::string token = TakeExceptionToken(rest, separatorChar);
    const std::optional<TimeValue> day = ExceptionDay(token);
    if (!day)
      return FieldResult::InvalidExceptionDate;
    AddException(appointment, *day);
  }
  return FieldResult::Ok;
}

}  // namespace

FieldResult AddToHost(AppointmentRecord& record, IDesktopDatebook* datebook,
                      ComPtr<IDesktopAppointment>& appointment) {
  appointment.Reset();
  try {
    if (!datebook)
      ThrowMissingObject("IDesktopDatebook");
    const StartAndEnd times = HostTimes(record);
    appointment = AddAppointment(datebook, times.start, times.end, record.text);
    WriteUntimed(appointment.Get(), record.untimed != 0);
    return WriteCommonFields(record, appointment.Get());
  } catch (const ComError& error) {
    // No half-written appointment may stay behind. A failure to delete it
    // is a new host error for the caller.
    if (appointment) {
      DeleteAppointment(appointment.Get(), false);
      appointment.Reset();
    }
    return AskAfterHostError(record, error);
  }
}

FieldResult UpdateHost(AppointmentRecord& record, IDesktopDatebook*,
                       IDesktopAppointment* appointment) {
  // Only hosts with IDesktopAppointment2 can move an appointment; elsewhere,
  // or when the host refuses, it keeps its date and times.
  try {
    if (const ComPtr<IDesktopAppointment2> second = QuerySecondInterface(appointment)) {
      const StartAndEnd times = HostTimes(record);
      SetTimes(second.Get(), times.start, times.end);
    }
  } catch (const ComError&) {
  }
  // A host error from here on leaves the appointment as far as it was
  // written: it is the user's existing appointment, so it is never deleted,
  // and the fields already written stay (the host offers no way to take
  // back added exceptions, so a full restore is not possible anyway).
  try {
    if (!appointment)
      ThrowMissingObject("IDesktopAppointment");
    WriteUntimed(appointment, record.untimed != 0);
    WriteDescription(appointment, record.text);
    return WriteCommonFields(record, appointment);
  } catch (const ComError& error) {
    return AskAfterHostError(record, error);
  }
}

FieldResult WriteCommonFields(AppointmentRecord& record, IDesktopAppointment* appointment) {
  WriteUntimed(appointment, record.untimed != 0);
  WritePrivate(appointment, record.isPrivate != 0);
  // Cut between characters, so the host never gets a broken last one.
  WriteNote(appointment, record.note.substr(0, AnsiCutLength(record.note, kNoteLimitBytes)));
  if (record.alarm) {
    WriteAlarmFlag(appointment, true);
    SetAlarm(appointment, record.alarmUnit, record.alarmAmount);
  } else {
    WriteAlarmFlag(appointment, false);
  }
  try {
    if (const ComPtr<IDesktopAppointment2> second = QuerySecondInterface(appointment)) {
      WriteLocation(second.Get(), record.location);
      WriteCategory(appointment, record.category);
    }
  } catch (const ComError&) {
  }
  return record.repeat ? WriteRepeat(record, appointment) : FieldResult::Ok;
}

FieldResult WriteRepeat(AppointmentRecord& record, IDesktopAppointment* appointment) {
  try {
    TimeValue end = NoEndDate();
    if (record.repeatEnd != 0) {
      // A series that ends on its first day is a single appointment.
      if (record.date == record.repeatEnd)
        return FieldResult::Ok;
      if (record.date > record.repeatEnd)
        return FieldResult::InvalidRepeatEndDate;
      end = record.repeatEnd;
    }
    const std::optional<HostRepeat> rule = RepeatRule(record, end);
    if (!rule)
      return FieldResult::InvalidRepeatType;
    SetRepeat(appointment, *rule);
    return WriteExceptions(record, appointment);
  } catch (const ComError& error) {
    // The appointment stays: it holds everything written before the rule.
    return AskAfterHostError(record, error);
  }
}

}  // namespace tavir
