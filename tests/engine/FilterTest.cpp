// The text filter's eight kinds, case folding and the absence of trimming.
#include <gtest/gtest.h>

#include "engine/Filter.h"
#include "model/Options.h"
#include "support/Environment.h"

namespace tavir::testing {
namespace {

struct FilterCase {
  int type;
  const char* filter;
  const char* text;
  const char* note;
  const char* category;
  const char* location;
  bool matches;
};

TEST(FilterTest, EachKindComparesItsValue) {
  ScopedEnvironmentVariable locale("TAVIR_LOCALE", std::string("en-US"));
  const FilterCase cases[] = {
      {0, "Meet", "meeting room", "", "", "", true},
      {0, "Meet", "MEET", "", "", "", true},
      {0, "Meet", "A meeting", "", "", "", false},
      {0, "Meeting!", "Meet", "", "", "", false},  // shorter than the filter
      {1, "ROOM", "meeting room", "", "", "", true},
      {1, "room", "room 5", "", "", "", false},
      {2, "lunch", "Team Lunch today", "", "", "", true},
      {2, "lunch", "", "lunch", "", "", false},
      {3, "lunch", "", "Bring LUNCH", "", "", true},
      {4, "lunch", "Dinner", "", "", "", true},
      {4, "lunch", "lunch", "", "", "", false},
      {5, "draft", "", "final", "", "", true},
      {5, "draft", "", "a Draft", "", "", false},
      {6, "work", "", "", "Work", "", true},
      {6, "work", "", "", "Work ", "", false},
      {7, "room 101", "", "", "", "Room 101", true},
      {7, "room", "", "", "", "Room 101", false},
      {8, "x", "x", "x", "x", "x", false},  // not a filter kind
  };
  for (const FilterCase& c : cases) {
    Options options;
    options.dofilter = 1;
    options.filtertype = c.type;
    options.filtertext = c.filter;
    EXPECT_EQ(MatchesFilter(options, c.text, c.note, c.category, c.location), c.matches)
        << "type " << c.type << " filter \"" << c.filter << "\" text \"" << c.text << "\"";
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
}  // namespace tavir::testing
