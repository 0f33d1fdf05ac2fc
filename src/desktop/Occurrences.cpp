// Occurrence search by rule: each repeat type finds its first rule day on or
// after a given day directly, then exception days are skipped.
#include "desktop/Occurrences.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>

namespace tavir {
namespace {

constexpr DayNumber kNever = std::numeric_limits<DayNumber>::max();

// Steps are counted in 64 bits: an interval of up to 2^31 - 1 days, weeks,
// months or years must land past the last day, never wrap around before it.
using Count = std::int64_t;

Count MonthNumber(const CivilDate& date) {
  return Count{date.year} * 12 + date.month - 1;
}

// Rounds n up to the next value congruent to origin modulo interval.
Count AlignUp(Count n, Count origin, Count interval) {
  if (interval == 1)
    return n;  // the common case, without a division
  Count remainder = (n - origin) % interval;
  if (remainder < 0)
    remainder += interval;
  return remainder == 0 ? n : n + interval - remainder;
}

DayNumber AsDay(Count day) {
  return day >= kNever ? kNever : static_cast<DayNumber>(day);
}

DayNumber NextDaily(DayNumber start, int interval, DayNumber from) {
  return AsDay(AlignUp(from, start, interval));
}

DayNumber NextWeekly(DayNumber start, int interval, int weekdays, DayNumber from, DayNumber last) {
  unsigned set = static_cast<unsigned>(weekdays) & 0x7F;
  if (set == 0)
    set = 1u << DayOfWeek(start);
  const Count startWeek = start - DayOfWeek(start);
  const Count fromWeek = from - DayOfWeek(from);
  const Count week = AlignUp(fromWeek, startWeek, Count{7} * interval);
  // In from's own week only the days from on count; a later week counts whole.
  const int firstWeekday = week == fromWeek ? DayOfWeek(from) : 0;
  if (const unsigned rest = set >> firstWeekday; rest != 0)
    return AsDay(week + firstWeekday + std::countr_zero(rest));
  // The next week of the rule, from its Sunday.
  const Count next = week + Count{7} * interval;
  return next > last ? kNever : AsDay(next + std::countr_zero(set));
}

// Day of the month of the index-th (5 = last) given weekday, in that month.
int NthWeekdayOfMonth(int year, int month, int weekday, int index) {
  const int first = 1 + (weekday - DayOfWeek(DayFromCivil(year, month, 1)) + 7) % 7;
  if (index < 5)
    return first + 7 * (index - 1);
  const int daysInMonth = DaysInMonth(year, month);
  return first + 7 * ((daysInMonth - first) / 7);
}

// Monthly rules: the months start's month + k * interval; pickDay gives the
// day of the month the rule yields there, or 0 when that month has none.
template <typename PickDay>
DayNumber NextMonthly(DayNumber start, int interval, DayNumber from, DayNumber last,
                      PickDay pickDay) {
  const Count lastMonth = MonthNumber(CivilFromDay(last));
  for (Count month =
           AlignUp(MonthNumber(CivilFromDay(from)), MonthNumber(CivilFromDay(start)), interval);
       month <= lastMonth; month += interval) {
    const int year = static_cast<int>(month / 12);
    const int monthOfYear = static_cast<int>(month % 12) + 1;
    const int dayOfMonth = pickDay(year, monthOfYear);
    if (dayOfMonth == 0)
      continue;
    const DayNumber day = DayFromCivil(year, monthOfYear, dayOfMonth);
    if (day >= from)
      return day;
  }
  return kNever;
}

DayNumber NextYearly(DayNumber start, int interval, DayNumber from, DayNumber last) {
  const CivilDate startDate = CivilFromDay(start);
  const int lastYear = CivilFromDay(last).year;
  for (Count year = AlignUp(CivilFromDay(from).year, startDate.year, interval); year <= lastYear;
       year += interval) {
    const int y = static_cast<int>(year);
    if (startDate.day > DaysInMonth(y, startDate.month))
      continue;  // 29 February
    const DayNumber day = DayFromCivil(y, startDate.month, startDate.day);
    if (day >= from)
      return day;
  }
  return kNever;
}

// The first day after the start day, on or after from, that the rule yields.
DayNumber NextRuleDay(const RepeatRule& rule, DayNumber start, DayNumber from, DayNumber last) {
  const int interval = std::max(rule.interval, 1);
  switch (rule.type) {
    case 1:
      return NextDaily(start, interval, from);
    case 2:
      return NextWeekly(start, interval, rule.extra, from, last);
    case 3: {
      const int weekday = DayOfWeek(start);
      const int index = rule.extra >= 1 && rule.extra <= 5 ? rule.extra : WeekIndexOfDay(start);
      return NextMonthly(start, interval, from, last, [&](int year, int month) {
        return NthWeekdayOfMonth(year, month, weekday, index);
      });
    }
    case 4: {
      const int startDay = CivilFromDay(start).day;
      return NextMonthly(start, interval, from, last, [&](int year, int month) {
        return startDay <= DaysInMonth(year, month) ? startDay : 0;
      });
    }
    case 5:
      return NextYearly(start, interval, from, last);
    default:
      return kNever;
  }
}

}  // namespace

DayNumber LocalDayOf(TimeValue t) {
  const LocalFields fields = SplitLocal(t);
  return DayFromCivil(fields.year, fields.month, fields.day);
}

TimeValue MidnightOfDay(DayNumber day) {
  const CivilDate date = CivilFromDay(day);
  return LocalMidnight(date.year, date.month, date.day);
}

int WeekIndexOfDay(DayNumber day) {
  return (CivilFromDay(day).day - 1) / 7 + 1;
}

AppointmentDays DaysOfAppointment(const AppointmentData& appointment) {
  AppointmentDays days;
  days.start = LocalDayOf(appointment.start);
  if (appointment.Repeats() && appointment.repeat.end != 0)
    days.ruleEnd = LocalDayOf(appointment.repeat.end);
  // Exceptions are local midnights; taken by day, so that a value that is not
  // exactly midnight still takes its day out.
  days.exceptions.reserve(appointment.exceptions.size());
  for (const TimeValue exception : appointment.exceptions)
    days.exceptions.push_back(LocalDayOf(exception));
  std::sort(days.exceptions.begin(), days.exceptions.end());
  return days;
}

std::optional<DayNumber> FirstOccurrenceDay(const AppointmentData& appointment, DayNumber from,
                                            DayNumber limit) {
  return FirstOccurrenceDay(appointment, DaysOfAppointment(appointment), from, limit);
}

std::optional<DayNumber> FirstOccurrenceDay(const AppointmentData& appointment,
                                            const AppointmentDays& days, DayNumber from,
                                            DayNumber limit) {
  const auto isException = [&](DayNumber day) {
    return std::binary_search(days.exceptions.begin(), days.exceptions.end(), day);
  };
  const DayNumber start = days.start;
  if (from <= start && start <= limit && !isException(start))
    return start;
  if (!appointment.Repeats())
    return std::nullopt;
  const DayNumber last = std::min(limit, days.ruleEnd);
  DayNumber day = std::max(from, start + 1);
  while (day <= last) {
    day = NextRuleDay(appointment.repeat, start, day, last);
    if (day > last)
      break;
    if (!isException(day))
      return day;
    ++day;
  }
  return std::nullopt;
}

}  // namespace tavir
