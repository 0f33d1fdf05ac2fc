// What libical reads from an iCalendar file, as lines of text.
#include "LibicalReadBack.h"

#include <algorithm>
#include <cstdio>
#include <libical/ical.h>
#include <memory>
#include <set>
#include <stdexcept>
#include <vector>

namespace tavir::test_support {

namespace {

struct ComponentFree {
  void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
struct IteratorFree {
  void operator()(icalrecur_iterator* iterator) const { icalrecur_iterator_free(iterator); }
};

std::string Text(const char* text) { return EscapeReadBackText(text ? text : ""); }

// Seconds since 1970 of a date-time: a floating one in the local zone.
TimeValue Seconds(const icaltimetype& time) {
  if (icaltime_is_utc(time)) return static_cast<TimeValue>(icaltime_as_timet(time));
  return BuildLocal(time.year, time.month, time.day, time.hour, time.minute, time.second);
}

std::string Moment(const icaltimetype& time) {
  char text[32];
  if (time.is_date)
    std::snprintf(text, sizeof text, "D:%04d%02d%02d", time.year, time.month, time.day);
  else
    std::snprintf(text, sizeof text, "T:%d", static_cast<int>(Seconds(time)));
  return text;
}

// Orders date-times by their moment and dates by their day.
long long SortKey(const icaltimetype& time) {
  if (time.is_date) return (time.year * 100LL + time.month) * 100 + time.day;
  return Seconds(time);
}

std::string Occurrences(icalcomponent* event, const icaltimetype& start, TimeValue firstDay,
                        TimeValue lastDay) {
  const LocalFields first = SplitLocal(firstDay);
  const LocalFields last = SplitLocal(lastDay);
  long long begin = (first.year * 100LL + first.month) * 100 + first.day;
  long long end = (last.year * 100LL + last.month) * 100 + last.day;
  if (!start.is_date) {
    begin = firstDay;
    end = BuildLocal(last.year, last.month, last.day, 23, 59, 59);
  }
  std::vector<std::string> starts;
  std::set<std::string> excluded;
  for (icalproperty* exdate = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); exdate;
       exdate = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
    excluded.insert(Moment(icalproperty_get_exdate(exdate)));
  icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
  if (!rule) {
    if (SortKey(start) >= begin && SortKey(start) <= end) starts.push_back(Moment(start));
  } else {
    std::unique_ptr<icalrecur_iterator, IteratorFree> iterator(
        icalrecur_iterator_new(icalproperty_get_rrule(rule), start));
    if (!iterator) throw std::runtime_error("libical cannot expand the RRULE");
    // The rule's days and the RDATE values, less the EXDATE values.
    std::vector<icaltimetype> moments;
    for (icaltimetype next = icalrecur_iterator_next(iterator.get()); !icaltime_is_null_time(next);
         next = icalrecur_iterator_next(iterator.get())) {
      if (SortKey(next) > end) break;
      moments.push_back(next);
    }
    for (icalproperty* rdate = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); rdate;
         rdate = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY))
      moments.push_back(icalproperty_get_rdate(rdate).time);
    std::sort(moments.begin(), moments.end(),
              [](const icaltimetype& a, const icaltimetype& b) { return SortKey(a) < SortKey(b); });
    for (const icaltimetype& next : moments)
      if (SortKey(next) >= begin && SortKey(next) <= end && !excluded.count(Moment(next)) &&
          (starts.empty() || starts.back() != Moment(next)))
        starts.push_back(Moment(next));
  }
  std::string list;
  for (const std::string& one : starts) list += (list.empty() ? "" : " ") + one;
  return list;
}

std::string Categories(icalcomponent* event) {
  std::string names;
  for (icalproperty* property = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY);
       property; property = icalcomponent_get_next_property(event, ICAL_CATEGORIES_PROPERTY)) {
    if (!names.empty()) names += ",";
    names += icalproperty_get_categories(property);
  }
  return EscapeReadBackText(names);
}

std::string Alarm(icalcomponent* event) {
  icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
  if (!alarm) return "-";
  icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
  if (!trigger) throw std::runtime_error("VALARM without TRIGGER");
  const int minutes = icaldurationtype_as_int(icalproperty_get_trigger(trigger).duration) / 60;
  icalproperty* description = icalcomponent_get_first_property(alarm, ICAL_DESCRIPTION_PROPERTY);
  return std::to_string(minutes) + " " +
         Text(description ? icalproperty_get_description(description) : "");
}

std::string Class(icalcomponent* event) {
  icalproperty* property = icalcomponent_get_first_property(event, ICAL_CLASS_PROPERTY);
  return property ? icalproperty_get_value_as_string(property) : "";
}

}  // namespace

std::string EscapeReadBackText(const std::string& text) {
  std::string escaped;
  for (const char character : text) {
    if (character == '\\')
      escaped += "\\\\";
    else if (character == '\n')
      escaped += "\\n";
    else if (character == '\r')
      escaped += "\\r";
    else
      escaped += character;
  }
  return escaped;
}

std::string ReadBackWithLibical(const std::string& ics, TimeValue firstDay, TimeValue lastDay) {
  std::unique_ptr<icalcomponent, ComponentFree> calendar(icalparser_parse_string(ics.c_str()));
  if (!calendar) throw std::runtime_error("libical cannot parse the file");
  if (const int errors = icalcomponent_count_errors(calendar.get()); errors != 0)
    throw std::runtime_error("libical marks " + std::to_string(errors) + " errors:\n" +
                             icalcomponent_as_ical_string(calendar.get()));
  std::string lines;
  for (icalcomponent* event = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
       event; event = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
    const icaltimetype start = icalcomponent_get_dtstart(event);
    lines += "EVENT " + std::string(icalcomponent_get_uid(event) ? icalcomponent_get_uid(event) : "") + "\n";
    lines += "SUMMARY " + Text(icalcomponent_get_summary(event)) + "\n";
    lines += "DESCRIPTION " + Text(icalcomponent_get_description(event)) + "\n";
    lines += "START " + Moment(start) + "\n";
    lines += "END " + Moment(icalcomponent_get_dtend(event)) + "\n";
    lines += "CLASS " + Class(event) + "\n";
    lines += "CATEGORIES " + Categories(event) + "\n";
    lines += "LOCATION " + Text(icalcomponent_get_location(event)) + "\n";
    lines += "ALARM " + Alarm(event) + "\n";
    lines += "OCCURRENCES " + Occurrences(event, start, firstDay, lastDay) + "\n";
  }
  return lines;
}

}  // namespace tavir::test_support
