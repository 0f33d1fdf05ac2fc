// Occurrence search by rule: each repeat type finds its first rule day on or
// after a given day directly, then exception days are skipped.
#include "desktop/Occurrences.h"

#include <algorithm>
#include <limits>

namespace tavir {
namespace {

constexpr DayNumber kNever = std::numeric_limits<DayNumber>::max();

int WeekdayBit(DayNumber day) {
  return 1 << DayOfWeek(day);
}

int MonthNumber(const CivilDate& date) {
  return date.year * 12 + date.month - 1;
}

// Rounds n up to the next value congruent to origin modulo interval.
int AlignUp(int n, int origin, int interval) {
  const int remainder = (n - origin) % interval;
  return remainder == 0 ? n : n + interval - remainder;
}

DayNumber NextDaily(DayNumber start, int interval, DayNumber from) {
  const DayNumber steps = (from - start + interval - 1) / interval;
  return start + steps * interval;
}

DayNumber NextWeekly(DayNumber start, int interval, int weekdays, DayNumber from, DayNumber last) {
  if ((weekdays & 0x7F) == 0)
    weekdays = WeekdayBit(start);
  const DayNumber startWeek = start - DayOfWeek(start);
  DayNumber week = from - DayOfWeek(from);
  const DayNumber alignedWeek = startWeek + 7 * AlignUp((week - startWeek) / 7, 0, interval);
  if (alignedWeek != week) {
    week = alignedWeek;
    from = week;
  }
  for (; week <= last; week += 7 * interval, from = week) {
    for (DayNumber day = std::max(from, week); day < week + 7; ++day) {
      if (weekdays & WeekdayBit(day))
        return day;
    }
  }
  return kNever;
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
  const int startMonth = MonthNumber(CivilFromDay(start));
  for (int month = AlignUp(MonthNumber(CivilFromDay(from)), startMonth, interval);;
       month += interval) {
    const int year = month / 12;
    const int monthOfYear = month % 12 + 1;
    if (DayFromCivil(year, monthOfYear, 1) > last)
      return kNever;
    const int dayOfMonth = pickDay(year, monthOfYear);
    if (dayOfMonth == 0)
      continue;
    const DayNumber day = DayFromCivil(year, monthOfYear, dayOfMonth);
    if (day >= from)
      return day;
  }
}

DayNumber NextYearly(DayNumber start, int interval, DayNumber from, DayNumber last) {
  const CivilDate startDate = CivilFromDay(start);
  for (int year = AlignUp(CivilFromDay(from).year, startDate.year, interval);; year += interval) {
    if (DayFromCivil(year, startDate.month, 1) > last)
      return kNever;
    if (startDate.day > DaysInMonth(year, startDate.month))
      continue;  // 29 February
    const DayNumber day = DayFromCivil(year, startDate.month, startDate.day);
    if (day >= from)
      return day;
  }
}

// The first day after the start day, on or after from, that the rule yields.
DayNumber NextRuleDay(const RepeatRule& rule, DayNumber start, DayNumber from, DayNumber last) {
  const int interval = std::max(rule.interval, 1);
  const CivilDate startDate = CivilFromDay(start);
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
    case 4:
      return NextMonthly(start, interval, from, last, [&](int year, int month) {
        return startDate.day <= DaysInMonth(year, month) ? startDate.day : 0;
      });
    case 5:
      return NextYearly(start, interval, from, last);
    default:
      return kNever;
  }
}

bool IsExceptionDay(const AppointmentData& appointment, DayNumber day) {
  if (appointment.exceptions.empty())
    return false;
  // Exceptions are local midnights; compare by day so that a value that is not
  // exactly midnight still takes its day out.
  const auto candidate = appointment.exceptions.lower_bound(MidnightOfDay(day) - kSecondsPerDay);
  for (auto it = candidate; it != appointment.exceptions.end(); ++it) {
    const DayNumber exceptionDay = LocalDayOf(*it);
    if (exceptionDay == day)
      return true;
    if (exceptionDay > day)
      break;
  }
  return false;
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

std::optional<DayNumber> FirstOccurrenceDay(const AppointmentData& appointment, DayNumber from,
                                            DayNumber limit) {
  const DayNumber start = LocalDayOf(appointment.start);
  if (from <= start && start <= limit && !IsExceptionDay(appointment, start))
    return start;
  if (!appointment.Repeats())
    return std::nullopt;
  const DayNumber ruleEnd =
      appointment.repeat.end == 0 ? kNoEndLastDay : LocalDayOf(appointment.repeat.end);
  const DayNumber last = std::min(limit, ruleEnd);
  DayNumber day = std::max(from, start + 1);
  while (day <= last) {
    day = NextRuleDay(appointment.repeat, start, day, last);
    if (day > last)
      break;
    if (!IsExceptionDay(appointment, day))
      return day;
    ++day;
  }
  return std::nullopt;
}

}  // namespace tavir
