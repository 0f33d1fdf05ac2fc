// One appointment of the stand-alone datebook as plain data: what the COM
// appointment object shows and what the SQLite store persists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string_view>

#include "platform/Com.h"
#include "platform/LocalTime.h"

namespace tavir {

// Repeat rule. type 0 means the appointment does not repeat; otherwise the
// host's numbers: 1 daily, 2 weekly, 3 monthly by day, 4 monthly by date,
// 5 yearly.
struct RepeatRule {
  std::int32_t type = 0;
  std::int32_t interval = 1;
  TimeValue end = 0;       // last day (inclusive); 0 = no end
  std::int32_t extra = 0;  // weekday set (weekly), week index 1..5 (monthly by day), else 0
  bool operator==(const RepeatRule&) const = default;
};

enum class AppointmentState : std::int32_t {
  Active = 0,
  MarkedForArchival = 1,  // leaves queries; kept in the file until a HotSync would take it
  Deleted = 2,            // in memory only: objects handed out may still read it
};

struct AppointmentData {
  std::int32_t recordId = 0;
  TimeValue start = 0;  // stored as given: 0 or -1 is what the host calls invalid
  TimeValue end = 0;
  bool untimed = false;
  WideString description;
  WideString note;
  WideString category;
  WideString location;
  RepeatRule repeat;
  std::set<TimeValue> exceptions;  // local midnights
  bool alarm = false;
  std::int32_t alarmUnit = 0;  // 0 minutes, 1 hours, 2 days
  std::int32_t alarmAmount = 0;
  bool isPrivate = false;
  AppointmentState state = AppointmentState::Active;

  bool Repeats() const { return repeat.type != 0; }
  bool operator==(const AppointmentData&) const = default;
};

// The fields of an appointment for reading, wherever it is kept; the texts
// are valid while the appointment is not changed.
struct AppointmentView {
  std::int32_t recordId = 0;
  TimeValue start = 0;
  TimeValue end = 0;
  bool untimed = false;
  std::basic_string_view<OLECHAR> description, note, category, location;
  RepeatRule repeat;
  std::size_t exceptionCount = 0;
  bool alarm = false;
  std::int32_t alarmUnit = 0;
  std::int32_t alarmAmount = 0;
  bool isPrivate = false;
  AppointmentState state = AppointmentState::Active;
};

inline AppointmentView ViewOf(const AppointmentData& a) {
  return {a.recordId, a.start,     a.end,         a.untimed,   a.description,
          a.note,     a.category,  a.location,    a.repeat,    a.exceptions.size(),
          a.alarm,    a.alarmUnit, a.alarmAmount, a.isPrivate, a.state};
}

}  // namespace tavir
