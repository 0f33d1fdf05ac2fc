// The text filter's eight kinds, case folding and the absence of trimming.
#include <gtest/gtest.h>

#include <string>

#include "engine/Filter.h"
#include "model/Options.h"
#include "support/Environment.h"

namespace tavir::test_support {
namespace {

TEST(FilterTest, EachKindComparesItsOwnValue) {
  ScopedEnvironmentVariable locale("TAVIR_LOCALE", std::string("en-US"));
  // Kinds 0-2 and 4 look at the text, 3 and 5 at the note, 6 at the category,
  // 7 at the location; 8 is no kind. The value goes where the kind looks and
  // the filter text itself into every other field, so that a kind looking
  // at the wrong field gives the other answer.
  const int fieldOfKind[] = {0, 0, 0, 1, 0, 1, 2, 3, 0};
  const struct {
    int type;
    const char* filter;
    const char* value;
    bool matches;
  } cases[] = {
      {0, "Meet", "meeting room", true},      {0, "Meet", "MEET", true},
      {0, "Meet", "A meeting", false},        {0, "Meeting!", "Meet", false},  // shorter
      {1, "ROOM", "meeting room", true},      {1, "room", "room 5", false},
      {2, "lunch", "Team Lunch today", true}, {2, "lunch", "", false},
      {3, "lunch", "Bring LUNCH", true},      {3, "lunch", "Dinner", false},
      {4, "lunch", "Dinner", true},           {4, "lunch", "lunch", false},
      {5, "draft", "final", true},            {5, "draft", "a Draft", false},
      {6, "work", "Work", true},              {6, "work", "Work ", false},
      {7, "room 101", "Room 101", true},      {7, "room", "Room 101", false},
      {8, "x", "x", false},
  };
  for (const auto& c : cases) {
    std::string fields[4] = {c.filter, c.filter, c.filter, c.filter};
    fields[fieldOfKind[c.type]] = c.value;
    Options options;
    options.dofilter = 1;
    options.filtertype = c.type;
    options.filtertext = c.filter;
    EXPECT_EQ(MatchesFilter(options, fields[0], fields[1], fields[2], fields[3]), c.matches)
        << "type " << c.type << " filter \"" << c.filter << "\" value \"" << c.value << "\"";
  }
}

TEST(FilterTest, FilterOffOrEmptyLetsEverythingPass) {
  Options options;
  options.filtertype = 8;
  options.filtertext = "anything";
  EXPECT_TRUE(MatchesFilter(options, "", "", "", ""));
  options.dofilter = 1;
  options.filtertext.clear();
  EXPECT_TRUE(MatchesFilter(options, "", "", "", ""));
}

}  // namespace
}  // namespace tavir::test_support
