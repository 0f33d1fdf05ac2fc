// The appointment COM object: fields, alarm, repeat rule, exceptions and the
// occurrence search over one AppointmentData.
#include "desktop/DesktopAppointment.h"

#include <stdexcept>
#include <string>

#include "desktop/Occurrences.h"

namespace tavir {
namespace {

constexpr const char* kAppointment = "IDesktopAppointment";
constexpr const char* kAppointment2 = "IDesktopAppointment2";

HRESULT ReturnOccurrence(const std::optional<TimeValue>& occurrence, TimeValue* day,
                         HostLong* found) {
  *day = occurrence.value_or(0);
  *found = occurrence ? 1 : 0;
  return S_OK;
}

}  // namespace

DesktopAppointment::DesktopAppointment(std::shared_ptr<DatebookData> datebook,
                                       std::shared_ptr<AppointmentData> appointment)
    : DesktopObject(kAppointment, datebook->SharedFaults()),
      datebook_(std::move(datebook)),
      appointment_(std::move(appointment)) {}

DesktopAppointment::DesktopAppointment(std::shared_ptr<DatebookData> datebook,
                                       std::size_t storedRow)
    : DesktopObject(kAppointment, datebook->SharedFaults()),
      datebook_(std::move(datebook)),
      storedRow_(storedRow) {}

AppointmentView DesktopAppointment::Current() {
  if (!appointment_ && datebook_->IsStillStored(storedRow_))
    return datebook_->StoredView(storedRow_);
  return ViewOf(Data());
}

AppointmentData& DesktopAppointment::Data() {
  if (!appointment_) {
    appointment_ = datebook_->Find(datebook_->StoredRecordId(storedRow_));
    if (!appointment_)
      throw std::logic_error("a stored appointment vanished from its datebook");
  }
  return *appointment_;
}

bool DesktopAppointment::Offers(REFIID iid) const {
  return IsEqualIID(iid, IID_IDesktopAppointment) ||
         (IsEqualIID(iid, IID_IDesktopAppointment2) && datebook_->OffersAppointment2());
}

template <typename Change>
HRESULT DesktopAppointment::Modify(const char* interfaceName, const char* method, Change&& change) {
  return RunOn(interfaceName, method, [&]() -> HRESULT {
    AppointmentData& appointment = Data();
    if (appointment.state != AppointmentState::Active) {
      return ReportError(E_FAIL, "The appointment was deleted or marked for archival.");
    }
    const HRESULT result = change(appointment);
    if (SUCCEEDED(result))
      datebook_->MarkChanged(appointment);
    return result;
  });
}

HRESULT DesktopAppointment::get_StartTime(TimeValue* start) {
  return Run("get_StartTime", [&] { return ReturnValue(Current().start, start); });
}

HRESULT DesktopAppointment::get_EndTime(TimeValue* end) {
  return Run("get_EndTime", [&] { return ReturnValue(Current().end, end); });
}

HRESULT DesktopAppointment::get_Untimed(HostLong* untimed) {
  return Run("get_Untimed", [&] { return ReturnValue(Current().untimed ? 1 : 0, untimed); });
}

HRESULT DesktopAppointment::put_Untimed(HostLong untimed) {
  return Modify(kAppointment, "put_Untimed", [&](AppointmentData& a) {
    a.untimed = untimed != 0;
    return S_OK;
  });
}

HRESULT DesktopAppointment::get_Description(BSTR* text) {
  return Run("get_Description", [&] { return ReturnText(Current().description, text); });
}

HRESULT DesktopAppointment::put_Description(BSTR text) {
  return Modify(kAppointment, "put_Description", [&](AppointmentData& a) {
    a.description = TextOf(text);
    return S_OK;
  });
}

HRESULT DesktopAppointment::get_Note(BSTR* note) {
  return Run("get_Note", [&] { return ReturnText(Current().note, note); });
}

HRESULT DesktopAppointment::put_Note(BSTR note) {
  return Modify(kAppointment, "put_Note", [&](AppointmentData& a) {
    a.note = TextOf(note);
    return S_OK;
  });
}

HRESULT DesktopAppointment::get_Repeating(HostLong* repeating) {
  return Run("get_Repeating",
             [&] { return ReturnValue(Current().repeat.type != 0 ? 1 : 0, repeating); });
}

HRESULT DesktopAppointment::get_ExceptionCount(HostLong* count) {
  return Run("get_ExceptionCount", [&] { return ReturnValue(Current().exceptionCount, count); });
}

HRESULT DesktopAppointment::get_Alarm(HostLong* alarm) {
  return Run("get_Alarm", [&] { return ReturnValue(Current().alarm ? 1 : 0, alarm); });
}

HRESULT DesktopAppointment::put_Alarm(HostLong alarm) {
  return Modify(kAppointment, "put_Alarm", [&](AppointmentData& a) {
    a.alarm = alarm != 0;
    return S_OK;
  });
}

HRESULT DesktopAppointment::AddException(TimeValue day) {
  return Modify(kAppointment, "AddException", [&](AppointmentData& a) {
    a.exceptions.insert(MidnightOfDay(LocalDayOf(day)));
    return S_OK;
  });
}

HRESULT DesktopAppointment::FindFirstOccurrence(TimeValue from, TimeValue to, TimeValue* day,
                                                HostLong* found) {
  return Run("FindFirstOccurrence", [&] {
    if (!day || !found)
      return E_POINTER;
    return ReturnOccurrence(search_.First(Data(), from, to), day, found);
  });
}

HRESULT DesktopAppointment::FindNextOccurrence(TimeValue* cursor, TimeValue to, TimeValue* day,
                                               HostLong* found) {
  return Run("FindNextOccurrence", [&] {
    if (!cursor || !day || !found)
      return E_POINTER;
    return ReturnOccurrence(search_.Next(Data(), *cursor, to), day, found);
  });
}

HRESULT DesktopAppointment::SetAlarm(HostLong unit, HostLong amount) {
  return Modify(kAppointment, "SetAlarm", [&](AppointmentData& a) {
    if (unit < 0 || unit > 2) {
      return ReportError(E_INVALIDARG, "Invalid alarm unit " + std::to_string(unit) + ".");
    }
    if (amount < 0) {
      return ReportError(E_INVALIDARG, "Invalid alarm advance " + std::to_string(amount) + ".");
    }
    a.alarmUnit = unit;
    a.alarmAmount = amount;
    return S_OK;
  });
}

HRESULT DesktopAppointment::GetAlarm(HostLong* unit, HostLong* amount) {
  return Run("GetAlarm", [&] {
    if (!unit || !amount)
      return E_POINTER;
    const AppointmentView current = Current();
    *unit = current.alarmUnit;
    *amount = current.alarmAmount;
    return S_OK;
  });
}

HRESULT DesktopAppointment::GetRepeat(HostLong* type, HostLong* interval, TimeValue* end,
                                      HostLong* extra) {
  return Run("GetRepeat", [&] {
    if (!type || !interval || !end || !extra)
      return E_POINTER;
    const RepeatRule rule = Current().repeat;
    *type = rule.type;
    *interval = rule.type == 0 ? 0 : rule.interval;
    *end = rule.end;
    *extra = rule.extra;
    return S_OK;
  });
}

HRESULT DesktopAppointment::SetRepeat(HostLong type, HostLong interval, TimeValue end,
                                      HostLong extra) {
  return Modify(kAppointment, "SetRepeat", [&](AppointmentData& a) {
    if (type == 0) {
      a.repeat = RepeatRule{};
      return S_OK;
    }
    if (type < 1 || type > 5) {
      return ReportError(E_INVALIDARG, "Invalid repeat type " + std::to_string(type) + ".");
    }
    if (interval < 1) {
      return ReportError(E_INVALIDARG, "Invalid repeat interval " + std::to_string(interval) + ".");
    }
    RepeatRule rule{type, interval, end, 0};
    // The no-end date stands for a rule without end.
    if (end != 0 && LocalDayOf(end) == kNoEndLastDay)
      rule.end = 0;
    if (type == 2) {
      rule.extra = extra & 0x7F;
    } else if (type == 3) {
      if (extra < 0 || extra > 5) {
        return ReportError(E_INVALIDARG, "Invalid week index " + std::to_string(extra) + ".");
      }
      // Without a week index the rule repeats the start's own week of the month.
      rule.extra = extra != 0 ? extra : WeekIndexOfDay(LocalDayOf(a.start));
    }
    a.repeat = rule;
    return S_OK;
  });
}

HRESULT DesktopAppointment::get_RepeatType(HostLong* type) {
  return Run("get_RepeatType", [&] { return ReturnValue(Current().repeat.type, type); });
}

HRESULT DesktopAppointment::get_Category(BSTR* category) {
  return Run("get_Category", [&] { return ReturnText(Current().category, category); });
}

HRESULT DesktopAppointment::put_Category(BSTR category) {
  return Modify(kAppointment, "put_Category", [&](AppointmentData& a) {
    a.category = TextOf(category);
    return S_OK;
  });
}

HRESULT DesktopAppointment::get_RecordID(HostLong* recordId) {
  return Run("get_RecordID", [&] { return ReturnValue(Current().recordId, recordId); });
}

HRESULT DesktopAppointment::get_Private(HostLong* isPrivate) {
  return Run("get_Private", [&] { return ReturnValue(Current().isPrivate ? 1 : 0, isPrivate); });
}

HRESULT DesktopAppointment::put_Private(HostLong isPrivate) {
  return Modify(kAppointment, "put_Private", [&](AppointmentData& a) {
    a.isPrivate = isPrivate != 0;
    return S_OK;
  });
}

HRESULT DesktopAppointment::Delete(HostLong archive) {
  return RunOn(kAppointment, "Delete", [&] {
    AppointmentData& appointment = Data();
    if (appointment.state != AppointmentState::Active) {
      return ReportError(E_FAIL, "The appointment was already deleted or marked for archival.");
    }
    if (archive != 0) {
      datebook_->MarkForArchival(appointment);
    } else {
      datebook_->Delete(appointment);
    }
    return S_OK;
  });
}

HRESULT DesktopAppointment::get_Location(BSTR* location) {
  return RunOn(kAppointment2, "get_Location",
               [&] { return ReturnText(Current().location, location); });
}

HRESULT DesktopAppointment::put_Location(BSTR location) {
  return Modify(kAppointment2, "put_Location", [&](AppointmentData& a) {
    a.location = TextOf(location);
    return S_OK;
  });
}

HRESULT DesktopAppointment::SetTimes(TimeValue start, TimeValue end) {
  return Modify(kAppointment2, "SetTimes", [&](AppointmentData& a) {
    a.start = start;
    a.end = end;
    return S_OK;
  });
}

}  // namespace tavir
