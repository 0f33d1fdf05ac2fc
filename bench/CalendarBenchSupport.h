// What the calendar benches share: the generated appointments read through
// the host objects into records once, and the same events built and
// serialised with libical, the baseline our iCalendar writer is held to.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <libical/ical.h>
#include <memory>
#include <string>
#include <vector>

#include "EngineBenchSupport.h"
#include "desktop/Desktop.h"
#include "host/HostCalls.h"
#include "host/Transfer.h"
#include "model/AppointmentRecord.h"
#include "model/Options.h"

namespace tavir::bench {

// One appointment as both writers get it: the record the export reads, the
// host appointment our writer asks for the repeat rule, and the rule itself
// for libical.
struct PreparedEvent {
  std::unique_ptr<AppointmentRecord> record;
  ComPtr<IDesktopAppointment> appointment;
  RepeatRule rule;
};

// Every appointment of data, read as the full export reads it. The options
// must outlive the events (records keep a reference).
inline std::vector<PreparedEvent> PrepareEvents(const std::shared_ptr<DatebookData>& data,
                                                Options& options) {
  options.host = ComPtr<IUnknown>(CreateDesktopApplication(data).Get());
  ComPtr<IDesktopDatebook> datebook = OpenDatebook(options);
  ComPtr<IDesktopAppointments> all = QueryAllAppointments(datebook.Get());
  std::vector<PreparedEvent> events;
  for (HostLong i = 0; i < ReadCount(all.Get()); ++i) {
    PreparedEvent event{std::make_unique<AppointmentRecord>(options), ReadItem(all.Get(), i), {}};
    if (ReadFromHost(*event.record, event.appointment.Get()) < 0)
      continue;
    event.rule = data->FindActive(event.record->recordId)->repeat;
    events.push_back(std::move(event));
  }
  return events;
}

namespace libical_detail {

inline icaltimetype LocalDate(TimeValue value) {
  const LocalFields local = SplitLocal(value);
  icaltimetype date = icaltime_null_date();
  date.year = local.year;
  date.month = local.month;
  date.day = local.day;
  return date;
}

inline icaltimetype Utc(TimeValue value) {
  return icaltime_from_timet_with_zone(value, 0, icaltimezone_get_utc_timezone());
}

// libical keeps a weekday and its position in one number: position * 8 + day
// (1 Sunday .. 7 Saturday), negative for a position counted from the end.
inline short EncodeDay(int weekday, int position) {
  const int encoded = (position < 0 ? -position : position) * 8 + weekday + 1;
  return static_cast<short>(position < 0 ? -encoded : encoded);
}

inline icalrecurrencetype Recurrence(const RepeatRule& rule, TimeValue start) {
  icalrecurrencetype recurrence;
  icalrecurrencetype_clear(&recurrence);
  static const icalrecurrencetype_frequency kFrequency[] = {
      ICAL_NO_RECURRENCE,      ICAL_DAILY_RECURRENCE,   ICAL_WEEKLY_RECURRENCE,
      ICAL_MONTHLY_RECURRENCE, ICAL_MONTHLY_RECURRENCE, ICAL_YEARLY_RECURRENCE};
  recurrence.freq = kFrequency[rule.type];
  recurrence.interval = static_cast<short>(rule.interval);
  if (rule.end != 0)
    recurrence.until = LocalDate(rule.end);
  int days = 0;
  if (rule.type == Weekly) {
    recurrence.week_start = ICAL_SUNDAY_WEEKDAY;
    for (int day = 0; day < 7; ++day)
      if (rule.extra & kWeekdayBit[day])
        recurrence.by_day[days++] = EncodeDay(day, 0);
  } else if (rule.type == MonthlyDay) {
    recurrence.by_day[days++] =
        EncodeDay(SplitLocal(start).dayOfWeek, rule.extra == 5 ? -1 : rule.extra);
  } else if (rule.type == MonthlyDate) {
    recurrence.by_month_day[0] = static_cast<short>(SplitLocal(start).day);
    recurrence.by_month_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
  }
  recurrence.by_day[days] = ICAL_RECURRENCE_ARRAY_MAX;
  return recurrence;
}

}  // namespace libical_detail

// The VEVENT our writer makes for the record, built with libical: the same
// properties, times in UTC (dates for untimed appointments). The caller owns it.
inline icalcomponent* BuildLibicalEvent(const PreparedEvent& event, TimeValue stamp) {
  using namespace libical_detail;
  const AppointmentRecord& r = *event.record;
  icalcomponent* vevent = icalcomponent_new_vevent();
  const std::string uid = "TAVIR-" + std::to_string(r.recordId);
  icalcomponent_add_property(vevent, icalproperty_new_uid(uid.c_str()));
  if (!r.text.empty())
    icalcomponent_add_property(vevent, icalproperty_new_summary(r.text.c_str()));
  if (!r.note.empty())
    icalcomponent_add_property(vevent, icalproperty_new_description(r.note.c_str()));
  icalcomponent_add_property(vevent, icalproperty_new_dtstamp(Utc(stamp)));
  if (r.untimed) {
    icalcomponent_add_property(vevent, icalproperty_new_dtstart(LocalDate(r.GetStart())));
    icalcomponent_add_property(vevent, icalproperty_new_dtend(LocalDate(r.GetEnd())));
  } else {
    icalcomponent_add_property(vevent, icalproperty_new_dtstart(Utc(r.GetStart())));
    icalcomponent_add_property(vevent, icalproperty_new_dtend(Utc(r.GetEnd())));
  }
  if (r.isPrivate)
    icalcomponent_add_property(vevent, icalproperty_new_class(ICAL_CLASS_PRIVATE));
  if (r.alarm) {
    icalcomponent* alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(
        alarm, icalproperty_new_trigger(icaltriggertype_from_int(-60 * r.GetAlarmMinutes())));
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, icalproperty_new_description(r.text.c_str()));
    icalcomponent_add_component(vevent, alarm);
  }
  if (!r.category.empty())
    icalcomponent_add_property(vevent, icalproperty_new_categories(r.category.c_str()));
  if (!r.location.empty())
    icalcomponent_add_property(vevent, icalproperty_new_location(r.location.c_str()));
  if (r.repeat && event.rule.type != 0)
    icalcomponent_add_property(vevent,
                               icalproperty_new_rrule(Recurrence(event.rule, r.GetStart())));
  return vevent;
}

// The whole file through libical, event by event (libical's own streaming
// use: build, serialise, write, free). Returns the bytes written, 0 on failure.
inline long WriteWithLibical(const std::vector<PreparedEvent>& events, const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"),
                                                       &std::fclose);
  if (!file)
    return 0;
  std::fputs(
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nMETHOD:PUBLISH\r\n"
      "PRODID:-//Quelmar GmbH//NONSGML TAVIR//EN\r\n",
      file.get());
  for (const PreparedEvent& event : events) {
    icalcomponent* vevent = BuildLibicalEvent(event, static_cast<TimeValue>(std::time(nullptr)));
    char* text = icalcomponent_as_ical_string_r(vevent);
    std::fputs(text, file.get());
    std::free(text);
    icalcomponent_free(vevent);
  }
  std::fputs("END:VCALENDAR\r\n", file.get());
  const long bytes = std::ftell(file.get());
  return std::fclose(file.release()) == 0 ? bytes : 0;
}

}  // namespace tavir::bench
