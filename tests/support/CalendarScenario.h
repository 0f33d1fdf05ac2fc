// Appointments for the calendar writer's tests, described once and turned
// into both what the writer is given: a host appointment of the stand-alone
// datebook (read for the repeat rule and the occurrences) and the record the
// export reads from it.
#pragma once

#include <cstdint>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "desktop/DatebookData.h"
#include "desktop/DesktopAppointment.h"
#include "desktop/DesktopObject.h"
#include "formats/CalendarFile.h"
#include "host/Transfer.h"
#include "model/AppointmentRecord.h"
#include "model/Options.h"
#include "platform/CodePage.h"
#include "platform/ComPtr.h"
#include "support/Environment.h"
#include "support/ScratchDirectory.h"

namespace tavir::test_support {

// Every member has a default, so that designated initializers name only
// what differs.
struct CalendarAppointment {
  int year = 2005, month = 11, day = 14;
  int startHour = 9, startMinute = 0;
  int endHour = 10, endMinute = 0;  // before the start: the end lies on the next day
  bool untimed = false;
  std::string text{}, note{}, category{}, location{};  // ANSI
  bool isPrivate = false;
  bool alarm = false;
  std::int32_t alarmUnit = 0, alarmAmount = 0;
  RepeatRule repeat{};                  // type 0: no repeat
  std::set<TimeValue> exceptionDays{};  // local midnights
};

// One datebook; each appointment added to it gets the next record id.
class CalendarScenario {
 public:
  CalendarScenario() : datebook_(std::make_shared<DatebookData>(WideString())) {}

  DatebookData& Datebook() { return *datebook_; }
  const Options& GetOptions() const { return options_; }

  // The host appointment for a; its record id is that of the returned object.
  ComPtr<IDesktopAppointment> AddToHost(const CalendarAppointment& a) {
    AppointmentData data;
    if (a.untimed) {
      data.start = data.end = LocalMidnight(a.year, a.month, a.day);
    } else {
      data.start = BuildLocal(a.year, a.month, a.day, a.startHour, a.startMinute, 0);
      const bool nextDay =
          a.endHour < a.startHour || (a.endHour == a.startHour && a.endMinute < a.startMinute);
      data.end = BuildLocal(a.year, a.month, a.day + (nextDay ? 1 : 0), a.endHour, a.endMinute, 0);
    }
    data.untimed = a.untimed;
    data.description = AnsiToWide(a.text);
    data.note = AnsiToWide(a.note);
    data.category = AnsiToWide(a.category);
    data.location = AnsiToWide(a.location);
    data.repeat = a.repeat;
    data.alarm = a.alarm;
    data.alarmUnit = a.alarmUnit;
    data.alarmAmount = a.alarmAmount;
    data.isPrivate = a.isPrivate;
    data.exceptions = a.exceptionDays;
    std::shared_ptr<AppointmentData> stored = datebook_->Add(data);
    ComPtr<DesktopAppointment> object = MakeDesktopObject<DesktopAppointment>(datebook_, stored);
    return ComPtr<IDesktopAppointment>(object.Get());
  }

  // The record the export reads from that host appointment.
  std::unique_ptr<AppointmentRecord> MakeRecord(IDesktopAppointment* host) const {
    auto record = std::make_unique<AppointmentRecord>(options_);
    EXPECT_EQ(ReadFromHost(*record, host), 0);
    return record;
  }

  // Writes a as the full export does: once, with its repeat rule.
  void WriteWhole(CalendarFile& file, const CalendarAppointment& a) {
    ComPtr<IDesktopAppointment> host = AddToHost(a);
    file.WriteAppointment(*MakeRecord(host.Get()), host.Get(), false);
  }

  // Writes a as the simple export does: once per occurrence in from..to, the
  // record's date moved to it. Returns how many were written.
  int WriteOccurrences(CalendarFile& file, const CalendarAppointment& a, TimeValue from,
                       TimeValue to) {
    ComPtr<IDesktopAppointment> host = AddToHost(a);
    std::unique_ptr<AppointmentRecord> record = MakeRecord(host.Get());
    int count = 0;
    for (TimeValue day : OccurrenceDays(host.Get(), from, to)) {
      record->SetDate(day);
      file.WriteAppointment(*record, host.Get(), true);
      ++count;
    }
    return count;
  }

  // The local midnights of the host's occurrences in from..to.
  static std::vector<TimeValue> OccurrenceDays(IDesktopAppointment* host, TimeValue from,
                                               TimeValue to) {
    std::vector<TimeValue> days;
    TimeValue cursor = from, day = 0;
    HostLong found = 0;
    while (host->FindNextOccurrence(&cursor, to, &day, &found) == S_OK && found) {
      days.push_back(day);
    }
    return days;
  }

 private:
  std::shared_ptr<DatebookData> datebook_;
  Options options_;
};

// UTC+01:00 without daylight saving, the zone of the calendar examples, for
// the lifetime of the object. The Windows runtime reads a three-letter name
// and an offset from TZ.
class ScopedUtcPlusOne {
 public:
  ScopedUtcPlusOne() {
#if defined(_WIN32)
    variable_.emplace("TZ", std::string("UTC-1"));
#else
    variable_.emplace("TZ", std::string("<+01>-1"));
#endif
    ApplyTimeZone();
  }
  ~ScopedUtcPlusOne() {
    variable_.reset();
    ApplyTimeZone();
  }
  ScopedUtcPlusOne(const ScopedUtcPlusOne&) = delete;
  ScopedUtcPlusOne& operator=(const ScopedUtcPlusOne&) = delete;

 private:
  static void ApplyTimeZone() {
#if defined(_WIN32)
    _tzset();
#else
    tzset();
#endif
  }
  std::optional<ScopedEnvironmentVariable> variable_;
};

}  // namespace tavir::test_support
