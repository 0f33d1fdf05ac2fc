// Exception days recovered from the host's occurrence search.
#include "host/HostExceptionDays.h"

#include <algorithm>
#include <chrono>

#include "host/HostCalls.h"
#include "host/OccurrenceWalk.h"
#include "host/RuleDays.h"
#include "host/Transfer.h"
#include "model/AppointmentRecord.h"
#include "model/Options.h"
#include "platform/ComError.h"

namespace tavir {

namespace {

using std::chrono::sys_days;

// The days the host hands out from the start day to the end of lastDay, walked
// as the export walks them; sorted, each once. (A daily rule of forty years
// gives some 15,000: one vector costs far less than as many set nodes.)
// The moments are turned into days together, once the walk is done.
std::vector<sys_days> HostOccurrenceDays(IDesktopAppointment* appointment, TimeValue from,
                                         TimeValue to) {
  std::vector<TimeValue> moments;
  TimeValue cursor = 0;
  HostLong found = 0;
  ThrowIfFailed(appointment->FindFirstOccurrence(from, to, &cursor, &found), "IDesktopAppointment");
  if (found) {
    WalkOccurrences(appointment, cursor, to, HostFailure::EndsTheWalk, [&](TimeValue day) {
      moments.push_back(day);
      return true;
    });
  }
  std::vector<sys_days> days;
  days.reserve(moments.size());
  for (const std::int32_t day : LocalDayNumbers(moments))
    days.push_back(sys_days{std::chrono::days{day}});
  // The walk hands out later moments only, but two of one day share it, and a
  // zone whose clocks go back over midnight can even give an earlier one.
  if (!std::is_sorted(days.begin(), days.end()))
    std::sort(days.begin(), days.end());
  days.erase(std::unique(days.begin(), days.end()), days.end());
  return days;
}

}  // namespace

std::optional<std::vector<TimeValue>> RecoverExceptionDays(IDesktopAppointment* appointment) {
  if (!ReadRepeating(appointment))
    return std::vector<TimeValue>{};
  const HostLong count = ReadExceptionCount(appointment);
  if (count <= 0)
    return std::vector<TimeValue>{};
  const HostRepeat rule = ReadRepeat(appointment);
  const TimeValue start = LocalMidnight(ReadStartTime(appointment));
  const TimeValue lastDay =
      rule.end != 0 ? std::min(LocalMidnight(rule.end), NoEndDate()) : NoEndDate();
  const LocalFields last = SplitLocal(lastDay);
  const std::vector<sys_days> occurring = HostOccurrenceDays(
      appointment, start, BuildLocal(last.year, last.month, last.day, 23, 59, 59));
  const std::vector<sys_days> ruleDays = RuleCalendarDays(rule, LocalDay(start), LocalDay(lastDay));
  // A day the host yields that the rule does not: the two disagree on the
  // rule, and no missing day can be trusted.
  if (!std::includes(ruleDays.begin(), ruleDays.end(), occurring.begin(), occurring.end()) ||
      ruleDays.size() - occurring.size() != static_cast<std::size_t>(count))
    return std::nullopt;
  std::vector<TimeValue> skipped;
  auto next = occurring.begin();
  for (const sys_days day : ruleDays) {
    if (next != occurring.end() && *next == day)
      ++next;
    else
      skipped.push_back(Midnight(day));
  }
  return skipped;
}

std::string FormatExceptionDays(const std::vector<TimeValue>& days, const std::string& separator) {
  std::string text;
  for (const TimeValue day : days) {
    const std::string date = FormatDateText(day);
    if (days.size() > 1 && (separator.empty() || date.find(separator[0]) != std::string::npos))
      return {};
    if (!text.empty())
      text += separator;
    text += date;
  }
  return text;
}

void ReadExceptionText(AppointmentRecord& record, IDesktopAppointment* appointment) {
  if (!record.repeat)
    return;
  if (const std::optional<std::vector<TimeValue>> days = RecoverExceptionDays(appointment))
    record.exceptions = FormatExceptionDays(*days, record.GetOptions().exceptiondateseparator);
}

}  // namespace tavir
