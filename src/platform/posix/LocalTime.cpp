// Local calendar time through the C library (portable build): localtime_r and
// mktime with the process's TZ, their answers kept while TZ stays the same.
#include "platform/LocalTime.h"

#include <chrono>
#include <ctime>
#include <limits>

#include "platform/CalendarFields.h"
#include "platform/posix/LocalTimeMemo.h"

namespace tavir {
namespace {

// mktime on the fields; 0 ("no value") for a moment it cannot represent or
// one outside the 32-bit range. Leaves the result's own local fields in
// `fields`.
TimeValue MakeTime(std::tm& fields) {
  fields.tm_wday = -1;  // mktime sets it on success; -1 is also a valid result
  const std::time_t built = std::mktime(&fields);
  if (fields.tm_wday < 0 || built < std::numeric_limits<TimeValue>::min() ||
      built > std::numeric_limits<TimeValue>::max())
    return 0;
  return static_cast<TimeValue>(built);
}

std::chrono::year_month_day DateOfDay(int day) {
  return std::chrono::year_month_day{std::chrono::sys_days{std::chrono::days{day}}};
}

using local_time_memo::DayFacts;

// Builds the day's midnight with the C library.
[[gnu::noinline]] void LearnMidnight(DayFacts& facts, int day) {
  const std::chrono::year_month_day date = DateOfDay(day);
  const int year = static_cast<int>(date.year());
  const int month = static_cast<int>(static_cast<unsigned>(date.month()));
  const int dayOfMonth = static_cast<int>(static_cast<unsigned>(date.day()));
  std::tm fields = CalendarFields(year, month, dayOfMonth, 0, 0, 0, DaylightSaving::ByZoneRules);
  facts.midnight = MakeTime(fields);
  facts.year = static_cast<std::int16_t>(year);
  facts.month = static_cast<std::uint8_t>(month);
  facts.day = static_cast<std::uint8_t>(dayOfMonth);
  facts.flags |= DayFacts::kMidnightKnown;
  if (facts.midnight != 0 && fields.tm_year == year - 1900 && fields.tm_mon == month - 1 &&
      fields.tm_mday == dayOfMonth && fields.tm_hour == 0 && fields.tm_min == 0 &&
      fields.tm_sec == 0)
    facts.flags |= DayFacts::kExact;
}

// The facts of a day in the table (0 <= day < kTableDays), its midnight
// built the first time it is asked for.
inline const DayFacts& FactsWithMidnight(DayFacts* table, int day) {
  DayFacts& facts = table[day];
  if (!(facts.flags & DayFacts::kMidnightKnown))
    LearnMidnight(facts, day);
  return facts;
}

// Whether the day is 24 hours long, as are the days on either side: then no
// clock change falls into it or on its midnights, and its times are its
// midnight plus the seconds on the clock. (Zones change their clocks a few
// times a year, never twice within a day.) The C library answers for every
// other day.
[[gnu::noinline]] bool WorkOutRegular(DayFacts* table, int day) {
  const DayFacts& start = FactsWithMidnight(table, day);
  const DayFacts& before = FactsWithMidnight(table, day - 1);
  const DayFacts& after = FactsWithMidnight(table, day + 1);
  const bool regular = (start.flags & DayFacts::kExact) && (after.flags & DayFacts::kExact) &&
                       std::int64_t{start.midnight} - before.midnight == kSecondsPerDay &&
                       std::int64_t{after.midnight} - start.midnight == kSecondsPerDay;
  table[day].flags |= DayFacts::kRegularKnown | (regular ? DayFacts::kRegular : 0);
  return regular;
}

inline bool IsRegularDay(DayFacts* table, int day) {
  if (day < 1 || day >= local_time_memo::kTableDays - 1)
    return false;
  const std::uint8_t flags = table[day].flags;
  if (flags & DayFacts::kRegularKnown)
    return (flags & DayFacts::kRegular) != 0;
  return WorkOutRegular(table, day);
}

struct DayAndSeconds {
  int day;
  int seconds;  // since its midnight
};

// The day t falls on and how far into it, when that day is a regular one.
inline std::optional<DayAndSeconds> OnRegularDay(DayFacts* table, TimeValue t) {
  if (t < kSecondsPerDay)
    return std::nullopt;
  const int utcDay = t / kSecondsPerDay;
  if (utcDay >= local_time_memo::kTableDays - 1)
    return std::nullopt;
  // The local day is the UTC day or one of its neighbours.
  int day = utcDay;
  const DayFacts& facts = FactsWithMidnight(table, utcDay);
  if (t < facts.midnight)
    --day;
  else if (t - std::int64_t{facts.midnight} >= kSecondsPerDay)
    ++day;
  if (!IsRegularDay(table, day))
    return std::nullopt;
  const std::int64_t seconds = t - std::int64_t{table[day].midnight};
  if (seconds < 0 || seconds >= kSecondsPerDay)
    return std::nullopt;
  return DayAndSeconds{day, static_cast<int>(seconds)};
}

std::optional<LocalFields> SplitOnRegularDay(TimeValue t) {
  DayFacts* table = local_time_memo::DayTable();
  const std::optional<DayAndSeconds> found = OnRegularDay(table, t);
  if (!found)
    return std::nullopt;
  const DayFacts& local = table[found->day];
  const int second = found->seconds;
  // 1970-01-01 was a Thursday.
  return LocalFields{local.year,       local.month, local.day,           second / 3600,
                     second / 60 % 60, second % 60, (found->day + 4) % 7};
}

std::optional<TimeValue> BuildOnRegularDay(int year, int month, int day, int hour, int minute,
                                           int second) {
  // Fields out of range are left to mktime, which normalises them.
  if (year < 1970 || year > 2038 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 ||
      minute < 0 || minute > 59 || second < 0 || second > 59)
    return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year{year},
                                         std::chrono::month{static_cast<unsigned>(month)},
                                         std::chrono::day{static_cast<unsigned>(day)}};
  if (!date.ok())
    return std::nullopt;
  const int dayNumber = static_cast<int>(std::chrono::sys_days{date}.time_since_epoch().count());
  if (dayNumber < 0 || dayNumber >= local_time_memo::kTableDays)
    return std::nullopt;
  DayFacts* table = local_time_memo::DayTable();
  // A midnight is kept as mktime gave it, whatever the day.
  if (hour == 0 && minute == 0 && second == 0)
    return FactsWithMidnight(table, dayNumber).midnight;
  if (!IsRegularDay(table, dayNumber))
    return std::nullopt;
  return static_cast<TimeValue>(table[dayNumber].midnight + hour * 3600 + minute * 60 + second);
}

}  // namespace

LocalFields SplitLocal(TimeValue t) {
  local_time_memo::FollowZone();
  if (const std::optional<LocalFields> regular = SplitOnRegularDay(t))
    return *regular;
  if (const std::optional<LocalFields> kept = local_time_memo::FindSplit(t))
    return *kept;
  const std::time_t seconds = t;
  std::tm fields{};
  const LocalFields split =
      localtime_r(&seconds, &fields) == nullptr ? LocalFields{} : ToLocalFields(fields);
  local_time_memo::KeepSplit(t, split);
  return split;
}

TimeValue BuildLocal(int year, int month, int day, int hour, int minute, int second,
                     DaylightSaving dst) {
  local_time_memo::FollowZone();
  if (dst == DaylightSaving::ByZoneRules) {
    if (const std::optional<TimeValue> regular =
            BuildOnRegularDay(year, month, day, hour, minute, second))
      return *regular;
  }
  const local_time_memo::BuildKey key{year, month, day, hour, minute, second, dst};
  if (const std::optional<TimeValue> kept = local_time_memo::FindBuild(key))
    return *kept;
  std::tm fields = CalendarFields(year, month, day, hour, minute, second, dst);
  const TimeValue result = MakeTime(fields);
  // mktime leaves the result's own local fields behind: what SplitLocal
  // would give for it.
  if (result != 0)
    local_time_memo::KeepSplit(result, ToLocalFields(fields));
  local_time_memo::KeepBuild(key, result);
  return result;
}

std::vector<std::int32_t> LocalDayNumbers(const std::vector<TimeValue>& moments) {
  local_time_memo::FollowZone();
  DayFacts* table = local_time_memo::DayTable();
  std::vector<std::int32_t> days;
  days.reserve(moments.size());
  for (const TimeValue moment : moments) {
    const std::optional<DayAndSeconds> found = OnRegularDay(table, moment);
    days.push_back(found ? found->day : DayNumberOf(SplitLocal(moment)));
  }
  return days;
}

}  // namespace tavir
