// Exception days recovered from the host: the program's own rule evaluation
// against the stand-alone datebook's occurrence search, and the days it
// skips.
#include <gtest/gtest.h>

#include "host/HostExceptionDays.h"
#include "host/HostFixture.h"
#include "host/RuleDays.h"

namespace tavir::test_support {
namespace {

class ExceptionDaysTest : public HostFixture {
 protected:
  ComPtr<IDesktopAppointment> Add(TimeValue start, RepeatRule rule,
                                  std::vector<TimeValue> exceptions = {}) {
    AppointmentData data;
    data.start = start;
    data.end = start + 3600;
    data.repeat = rule;
    for (const TimeValue day : exceptions)
      data.exceptions.insert(day);
    const auto stored = data_->Add(std::move(data));
    return HostAppointment(OpenDatebook(options_).Get(), stored->recordId);
  }

  // Every day the host yields, walked as the export does.
  static std::vector<TimeValue> HostDays(IDesktopAppointment* appointment) {
    std::vector<TimeValue> days;
    TimeValue cursor = 0, day = 0;
    HostLong found = 0;
    appointment->FindFirstOccurrence(LocalMidnight(1970, 1, 2), NoEndDate(), &cursor, &found);
    while (found && appointment->FindNextOccurrence(&cursor, NoEndDate(), &day, &found) == S_OK &&
           found)
      days.push_back(day);
    return days;
  }
};

// Two implementations of one rule: where they differ, one of them is wrong.
TEST_F(ExceptionDaysTest, RuleDaysAgreeWithTheDatebooksOccurrenceSearch) {
  const TimeValue starts[] = {BuildLocal(2005, 10, 31, 9, 0, 0), BuildLocal(2004, 2, 29, 23, 0, 0),
                              BuildLocal(2006, 3, 26, 2, 30, 0), BuildLocal(2031, 11, 30, 8, 0, 0)};
  const RepeatRule rules[] = {{Daily, 1},
                              {Daily, 7, LocalMidnight(2006, 1, 1)},
                              {Weekly, 1, 0, 0},
                              {Weekly, 2, 0, 1 | 8 | 64},
                              {Weekly, 3, 0, 127},
                              {MonthlyDay, 1, 0, 5},
                              {MonthlyDay, 2, 0, 1},
                              {MonthlyDay, 1, 0, 4},
                              {MonthlyDate, 1},
                              {MonthlyDate, 5, LocalMidnight(2012, 5, 5)},
                              {Yearly, 1},
                              {Yearly, 4},
                              // Steps beyond 32 bits once wrapped around or never ended.
                              {Daily, 2147483647},
                              {Weekly, 400000000, 0, 4},
                              {MonthlyDay, 2147483647, 0, 1},
                              {MonthlyDate, 2147483647},
                              {Yearly, 2147483647}};
  for (const TimeValue start : starts)
    for (const RepeatRule& rule : rules) {
      SCOPED_TRACE(FormatDateText(start) + " type " + std::to_string(rule.type) + " every " +
                   std::to_string(rule.interval) + " extra " + std::to_string(rule.extra));
      const ComPtr<IDesktopAppointment> appointment = Add(start, rule);
      const TimeValue last = rule.end ? rule.end : NoEndDate();
      EXPECT_EQ(RuleDays(HostRepeat{rule.type, rule.interval, rule.end, rule.extra}, start, last),
                HostDays(appointment.Get()));
    }
}

TEST_F(ExceptionDaysTest, TheSkippedDaysOnlyWhenTheirNumberIsTheHostsCount) {
  const TimeValue start = BuildLocal(2005, 11, 14, 14, 0, 0);  // a Monday
  const RepeatRule rule{Weekly, 1, LocalMidnight(2005, 12, 31), 2 | 8};
  const TimeValue monday = LocalMidnight(2005, 11, 14), wednesday = LocalMidnight(2005, 11, 16),
                  lastWednesday = LocalMidnight(2005, 12, 28), friday = LocalMidnight(2005, 11, 18);
  const struct {
    const char* what;
    std::vector<TimeValue> exceptions;
    std::optional<std::vector<TimeValue>> recovered;
  } cases[] = {
      {"none", {}, std::vector<TimeValue>{}},
      {"the first day and the last", {monday, lastWednesday}, std::vector{monday, lastWednesday}},
      {"one on a day the rule never yields", {wednesday, friday}, std::nullopt},
      {"one after the end", {wednesday, LocalMidnight(2006, 1, 4)}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ComPtr<IDesktopAppointment> appointment = Add(start, rule, c.exceptions);
    EXPECT_EQ(RecoverExceptionDays(appointment.Get()), c.recovered);
  }
}

TEST(FormatExceptionDays, DatesJoinedOnlyWhereTheImportCanSplitThemAgain) {
  ScopedTimeZone zone(TestZone::Berlin);
  ScopedEnvironmentVariable locale("TAVIR_LOCALE", std::string("en-US"));
  const std::vector<TimeValue> two{LocalMidnight(2005, 11, 16), LocalMidnight(2005, 12, 7)};
  EXPECT_EQ(FormatExceptionDays(two, " "), "11/16/2005 12/7/2005");
  EXPECT_EQ(FormatExceptionDays(two, "; "), "11/16/2005; 12/7/2005");
  EXPECT_EQ(FormatExceptionDays(two, "/"), "");
  EXPECT_EQ(FormatExceptionDays(two, ""), "");
  EXPECT_EQ(FormatExceptionDays({two[0]}, ""), "11/16/2005");
}

}  // namespace
}  // namespace tavir::test_support
