// Options: defaults, registry persistence with its quirks, and the export
// date range around daylight saving changes.
#include <gtest/gtest.h>

#include <string>

#include "model/Options.h"
#include "platform/Locale.h"
#include "platform/Registry.h"
#include "support/Environment.h"
#include "support/ScratchRegistry.h"
#include "support/TimeZones.h"

namespace tavir {
namespace {

using test_support::ScopedEnvironmentVariable;
using test_support::ScopedTimeZone;
using test_support::ScratchRegistry;
using test_support::TestZone;
using test_support::UtcTime;

// Every stored option: its registry name, its default (en-US) and a value
// that differs from the default.
struct NumberOption {
  const char* name;
  std::int32_t Options::*member;
  std::int32_t byDefault, changed;
};
const NumberOption kNumbers[] = {
    {"filtertype", &Options::filtertype, 0, 6},
    {"dofilter", &Options::dofilter, 0, 1},
    {"datewithtime", &Options::datewithtime, 0, 1},
    {"usecategories", &Options::usecategories, 0, 1},
    {"defaultapptlength", &Options::defaultapptlength, 60, 45},
    {"prcdeleteappts", &Options::prcdeleteappts, 1, 0},
    {"exportnocr", &Options::exportnocr, 0, 1},
    {"ignoreimporterrors", &Options::ignoreimporterrors, 0, 1},
    {"fullformat", &Options::fullformat, 1, 0},
    {"daysahead", &Options::daysahead, 30, 7},
    {"daysback", &Options::daysback, 30, -3},
    {"noduplicates", &Options::noduplicates, 1, 0},
    {"minsize", &Options::minsize, 1000, 250},
};
struct TextOption {
  const char* name;
  std::string Options::*member;
  const char* byDefault;
  const char* changed;
};
const TextOption kTexts[] = {
    {"filtertext", &Options::filtertext, "", "Team"},
    {"quote", &Options::quote, "\"", "'"},
    {"exceptiondateseparator", &Options::exceptiondateseparator, " ", ";"},
    {"prcicontext", &Options::prcicontext, "Add Appts", "icon"},
    {"prcmsgtitle", &Options::prcmsgtitle, "Appointments added", "title"},
    {"prcmsgtext", &Options::prcmsgtext,
     "Appointments have been added to the datebook.\r\nYou may now delete this application.",
     "line 1\r\nline 2"},
    {"lastfile", &Options::lastfile, "", "C:\\Data\\appointments.csv"},
    {"separator", &Options::separator, ",", "\t"},
};

class OptionsTest : public ::testing::Test {
 protected:
  ScratchRegistry registry_;
  ScopedEnvironmentVariable locale_{"TAVIR_LOCALE", std::string("en-US")};
};

void ExpectDefaults(const Options& o) {
  for (const NumberOption& n : kNumbers) EXPECT_EQ(o.*n.member, n.byDefault) << n.name;
  for (const TextOption& t : kTexts) EXPECT_EQ(o.*t.member, t.byDefault) << t.name;
  EXPECT_EQ(o.mapping.simpleFields.size(), 13u);
  EXPECT_EQ(o.mapping.repeatFields.size(), 12u);
}

TEST_F(OptionsTest, WithNothingStoredLoadKeepsEveryDefault) {
  Options options;
  ExpectDefaults(options);
  EXPECT_EQ(options.Load(), 0);
  ExpectDefaults(options);
}

TEST_F(OptionsTest, SeparatorDefaultComesFromTheLocale) {
  // Natively the German table gives ";"; Windows answers for its user locale.
  ScopedEnvironmentVariable german("TAVIR_LOCALE", std::string("de-DE"));
  const std::optional<std::string> fromLocale = ListSeparator();
  ASSERT_TRUE(fromLocale);
  EXPECT_EQ(Options().separator, *fromLocale);
}

TEST_F(OptionsTest, SaveWritesEveryValueUnderItsNameAndLoadReadsItBack) {
  Options saved;
  for (const NumberOption& n : kNumbers) saved.*n.member = n.changed;
  for (const TextOption& t : kTexts) saved.*t.member = t.changed;
  saved.mapping.simpleFields = {5, 0, 32};
  EXPECT_EQ(saved.Save(), 0);

  for (const NumberOption& n : kNumbers)
    EXPECT_EQ(RegGetDword(kOptionsKey, n.name, 12345), static_cast<std::uint32_t>(n.changed))
        << n.name;
  for (const TextOption& t : kTexts)
    EXPECT_EQ(RegGetString(kOptionsKey, t.name, "?"), t.changed) << t.name;

  Options loaded;
  loaded.Load();
  for (const NumberOption& n : kNumbers) EXPECT_EQ(loaded.*n.member, n.changed) << n.name;
  for (const TextOption& t : kTexts) EXPECT_EQ(loaded.*t.member, t.changed) << t.name;
  EXPECT_EQ(loaded.mapping.simpleFields, (std::vector<FieldId>{5, 0, 32}));
}

TEST_F(OptionsTest, FilterTypeAboveSevenLoadsAsZero) {
  const struct {
    std::uint32_t stored;
    std::int32_t loaded;
  } cases[] = {{7, 7}, {8, 0}, {9, 0}, {0x7FFFFFFF, 0}, {0xFFFFFFFF, -1}, {0x80000000, INT32_MIN}};
  for (const auto& c : cases) {
    RegSetDword(kOptionsKey, "filtertype", c.stored);
    Options options;
    options.Load();
    EXPECT_EQ(options.filtertype, c.loaded) << "stored " << c.stored;
  }
}

TEST_F(OptionsTest, EmptyTextsLoadAsStoredExceptTheExceptionSeparator) {
  for (const TextOption& t : kTexts) RegSetString(kOptionsKey, t.name, "");
  Options options;
  options.Load();
  for (const TextOption& t : kTexts)
    EXPECT_EQ(options.*t.member, t.member == &Options::exceptiondateseparator ? " " : "") << t.name;
}

TEST_F(OptionsTest, TooLongStoredTextKeepsTheCurrentValue) {
  RegSetString(kOptionsKey, "filtertext", std::string(1200, 'x'));
  RegSetString(kOptionsKey, "lastfile", std::string(1200, 'y'));
  RegSetString(kOptionsKey, "quote", std::string(999, 'z'));  // fits with its zero
  Options options;
  options.lastfile = "kept.csv";
  options.Load();
  EXPECT_EQ(options.filtertext, "");
  EXPECT_EQ(options.lastfile, "kept.csv");
  EXPECT_EQ(options.quote, std::string(999, 'z'));
}

// The export range, pinned to a zone and a current time.
struct SpanCase {
  const char* what;
  TestZone zone;
  const char* now;
  std::int32_t daysback, daysahead;
  TimeValue expectedStart, expectedEnd;
};

const SpanCase kSpanCases[] = {
    {"today only", TestZone::Berlin, "2005-11-10T16:42:17", 0, 0, UtcTime(2005, 11, 9, 23),
     UtcTime(2005, 11, 10, 22, 59)},
    {"start before the spring change", TestZone::Berlin, "2005-04-26T12:00:00", 30, 30,
     UtcTime(2005, 3, 26, 23), UtcTime(2005, 5, 26, 21, 59)},
    {"end after the spring change", TestZone::Berlin, "2005-03-10T08:00:00", 0, 30,
     UtcTime(2005, 3, 9, 23), UtcTime(2005, 4, 9, 21, 59)},
    {"start before the autumn change", TestZone::Berlin, "2005-11-10T00:00:00", 20, 0,
     UtcTime(2005, 10, 20, 22), UtcTime(2005, 11, 10, 22, 59)},
    {"end after the autumn change", TestZone::Berlin, "2005-10-20T23:59:59", 0, 15,
     UtcTime(2005, 10, 19, 22), UtcTime(2005, 11, 4, 22, 59)},
    {"negative counts", TestZone::Berlin, "2005-11-10T12:00:00", -2, -1, UtcTime(2005, 11, 11, 23),
     UtcTime(2005, 11, 9, 22, 59)},
    {"start before the spring change", TestZone::NewYork, "2007-04-10T08:00:00", 30, 0,
     UtcTime(2007, 3, 11, 5), UtcTime(2007, 4, 11, 3, 59)},
    {"end after the autumn change", TestZone::NewYork, "2007-10-20T08:00:00", 0, 30,
     UtcTime(2007, 10, 20, 4), UtcTime(2007, 11, 20, 4, 59)},
};

TEST_F(OptionsTest, SpanIsWholeLocalDaysAcrossDaylightSavingChanges) {
  for (const SpanCase& c : kSpanCases) {
    SCOPED_TRACE(std::string(c.what) + " at " + c.now);
    ScopedTimeZone zone(c.zone);
    ASSERT_TRUE(c.zone == TestZone::Berlin ? test_support::CentralEuropeanTimeIsActive()
                                           : test_support::EasternTimeIsActive());
    ScopedEnvironmentVariable now("TAVIR_NOW", std::string(c.now));
    Options options;
    options.daysback = c.daysback;
    options.daysahead = c.daysahead;
    EXPECT_EQ(options.GetSpanStart(), c.expectedStart);
    EXPECT_EQ(options.GetSpanEnd(), c.expectedEnd);
  }
}

TEST_F(OptionsTest, DamagedDayCountsGiveAnExtremeRangeInsteadOfWrapping) {
  ScopedTimeZone zone(TestZone::Berlin);
  ScopedEnvironmentVariable now("TAVIR_NOW", std::string("2005-11-10T12:00:00"));
  Options options;
  options.daysback = 2000000000;
  options.daysahead = 2000000000;
  EXPECT_LT(options.GetSpanStart(), UtcTime(1902, 1, 1));
  EXPECT_GT(options.GetSpanEnd(), UtcTime(2038, 1, 1));
}

TEST_F(OptionsTest, SetSpanCountsWholeDaysFromToday) {
  const struct {
    const char* now;
    int year, month, day, hour;  // the picked date (its time of day does not count)
    std::int32_t daysFromToday;
  } cases[] = {
      {"2005-11-10T16:42:17", 2005, 11, 20, 10, 10},
      {"2005-11-10T16:42:17", 2005, 11, 9, 23, -1},
      {"2005-11-10T00:00:00", 2005, 11, 10, 23, 0},
      {"2005-03-20T12:00:00", 2005, 4, 5, 0, 16},     // over the spring change
      {"2005-10-20T12:00:00", 2005, 11, 5, 0, 16},    // over the autumn change
      {"2005-04-05T01:00:00", 2005, 3, 20, 12, -16},  // back over the spring change
  };
  ScopedTimeZone zone(TestZone::Berlin);
  ASSERT_TRUE(test_support::CentralEuropeanTimeIsActive());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.now);
    ScopedEnvironmentVariable now("TAVIR_NOW", std::string(c.now));
    const TimeValue picked = BuildLocal(c.year, c.month, c.day, c.hour, 0, 0);
    Options options;
    options.SetSpanEnd(picked);
    EXPECT_EQ(options.daysahead, c.daysFromToday);
    options.SetSpanStart(picked);
    EXPECT_EQ(options.daysback, -c.daysFromToday);
    // The range then starts and ends on the picked day.
    EXPECT_EQ(options.GetSpanStart(), BuildLocal(c.year, c.month, c.day, 0, 0, 0));
    EXPECT_EQ(options.GetSpanEnd(), BuildLocal(c.year, c.month, c.day, 23, 59, 0));
  }
}

}  // namespace
}  // namespace tavir
