// The expansion loop ends when a host misbehaves: a failed call, nothing
// found, or a day that is not after the one before (a host whose day
// arithmetic wraps around would otherwise be asked for ever).
#include <vector>

#include <gtest/gtest.h>

#include "host/OccurrenceWalk.h"

namespace tavir {
namespace {

TEST(OccurrenceWalk, EndsAtTheFirstDayThatIsNotAfterThePrevious) {
  const NextOccurrence day10{S_OK, true, 10}, day20{S_OK, true, 20}, day30{S_OK, true, 30};
  struct Case {
    const char* name;
    std::vector<NextOccurrence> host;
    std::vector<TimeValue> taken;
  } cases[] = {
      {"days in order until none is found", {day10, day20, day30, {S_OK, false, 0}}, {10, 20, 30}},
      {"the same day again", {day10, day20, day20, day30}, {10, 20}},
      {"a day before the previous one", {day10, day30, day20, {S_OK, true, 40}}, {10, 30}},
      {"a first day of zero", {{S_OK, true, 0}, day10}, {}},
      {"a failed call", {day10, {E_FAIL, true, 20}}, {10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::size_t asked = 0;
    std::vector<TimeValue> taken;
    WalkDays(
        [&] {
          // Past the script the host would go on for ever.
          return asked < c.host.size() ? c.host[asked++] : NextOccurrence{S_OK, true, 1};
        },
        [&](TimeValue day) {
          taken.push_back(day);
          return true;
        });
    EXPECT_EQ(c.taken, taken);
  }
}

}  // namespace
}  // namespace tavir
