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

using testing::ScopedEnvironmentVariable;
using testing::ScopedTimeZone;
using testing::ScratchRegistry;
using testing::TestZone;
using testing::UtcTime;

class OptionsTest : public ::testing::Test {
 protected:
  ScratchRegistry registry_;
  ScopedEnvironmentVariable locale_{"TAVIR_LOCALE", std::string("en-US")};
};

void ExpectDefaults(const Options& o) {
  EXPECT_EQ(o.filtertext, "");
  EXPECT_EQ(o.filtertype, 0);
  EXPECT_EQ(o.dofilter, 0);
  EXPECT_EQ(o.datewithtime, 0);
  EXPECT_EQ(o.usecategories, 0);
  EXPECT_EQ(o.defaultapptlength, 60);
  EXPECT_EQ(o.quote, "\"");
  EXPECT_EQ(o.exceptiondateseparator, " ");
  EXPECT_EQ(o.prcdeleteappts, 1);
  EXPECT_EQ(o.prcicontext, "Add Appts");
  EXPECT_EQ(o.prcmsgtitle, "Appointments added");
  EXPECT_EQ(o.prcmsgtext,
            "Appointments have been added to the datebook.\r\nYou may now delete this application.");
  EXPECT_EQ(o.exportnocr, 0);
  EXPECT_EQ(o.ignoreimporterrors, 0);
  EXPECT_EQ(o.fullformat, 1);
  EXPECT_EQ(o.daysahead, 30);
  EXPECT_EQ(o.daysback, 30);
  EXPECT_EQ(o.lastfile, "");
  EXPECT_EQ(o.separator, ",");
  EXPECT_EQ(o.noduplicates, 1);
  EXPECT_EQ(o.minsize, 1000);
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
  Options options;
  EXPECT_EQ(options.separator, *fromLocale);
}

TEST_F(OptionsTest, SaveWritesEveryValueUnderItsNameAndLoadReadsItBack) {
  Options saved;
  saved.filtertext = "Team";
  saved.filtertype = 6;
  saved.dofilter = 1;
  saved.datewithtime = 1;
  saved.usecategories = 1;
  saved.defaultapptlength = 45;
  saved.quote = "'";
  saved.exceptiondateseparator = ";";
  saved.prcdeleteappts = 0;
  saved.prcicontext = "icon";
  saved.prcmsgtitle = "title";
  saved.prcmsgtext = "line 1\r\nline 2";
  saved.exportnocr = 1;
  saved.ignoreimporterrors = 1;
  saved.fullformat = 0;
  saved.daysahead = 7;
  saved.daysback = -3;
  saved.lastfile = "C:\\Data\\appointments.csv";
  saved.separator = "\t";
  saved.noduplicates = 0;
  saved.minsize = 250;
  saved.mapping.simpleFields = {5, 0, 32};
  EXPECT_EQ(saved.Save(), 0);

  const struct {
    const char* name;
    std::uint32_t value;
  } numbers[] = {{"filtertype", 6},       {"dofilter", 1},         {"datewithtime", 1},
                 {"usecategories", 1},    {"defaultapptlength", 45}, {"prcdeleteappts", 0},
                 {"exportnocr", 1},       {"ignoreimporterrors", 1}, {"fullformat", 0},
                 {"daysahead", 7},        {"daysback", 0xFFFFFFFDu}, {"noduplicates", 0},
                 {"minsize", 250}};
  for (const auto& n : numbers)
    EXPECT_EQ(RegGetDword(kOptionsKey, n.name, 12345), n.value) << n.name;
  const struct {
    const char* name;
    const char* value;
  } texts[] = {{"filtertext", "Team"}, {"quote", "'"}, {"exceptiondateseparator", ";"},
               {"prcicontext", "icon"}, {"prcmsgtitle", "title"},
               {"prcmsgtext", "line 1\r\nline 2"}, {"lastfile", "C:\\Data\\appointments.csv"},
               {"separator", "\t"}};
  for (const auto& t : texts) EXPECT_EQ(RegGetString(kOptionsKey, t.name, "?"), t.value) << t.name;

  Options loaded;
  loaded.Load();
  EXPECT_EQ(loaded.filtertext, "Team");
  EXPECT_EQ(loaded.filtertype, 6);
  EXPECT_EQ(loaded.dofilter, 1);
  EXPECT_EQ(loaded.datewithtime, 1);
  EXPECT_EQ(loaded.usecategories, 1);
  EXPECT_EQ(loaded.defaultapptlength, 45);
  EXPECT_EQ(loaded.quote, "'");
  EXPECT_EQ(loaded.exceptiondateseparator, ";");
  EXPECT_EQ(loaded.prcdeleteappts, 0);
  EXPECT_EQ(loaded.prcicontext, "icon");
  EXPECT_EQ(loaded.prcmsgtitle, "title");
  EXPECT_EQ(loaded.prcmsgtext, "line 1\r\nline 2");
  EXPECT_EQ(loaded.exportnocr, 1);
  EXPECT_EQ(loaded.ignoreimporterrors, 1);
  EXPECT_EQ(loaded.fullformat, 0);
  EXPECT_EQ(loaded.daysahead, 7);
  EXPECT_EQ(loaded.daysback, -3);
  EXPECT_EQ(loaded.lastfile, "C:\\Data\\appointments.csv");
  EXPECT_EQ(loaded.separator, "\t");
  EXPECT_EQ(loaded.noduplicates, 0);
  EXPECT_EQ(loaded.minsize, 250);
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
  for (const char* name : {"separator", "quote", "exceptiondateseparator", "prcicontext"})
    RegSetString(kOptionsKey, name, "");
  Options options;
  options.Load();
  EXPECT_EQ(options.separator, "");
  EXPECT_EQ(options.quote, "");
  EXPECT_EQ(options.exceptiondateseparator, " ");
  EXPECT_EQ(options.prcicontext, "");
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
    ASSERT_TRUE(c.zone == TestZone::Berlin ? testing::CentralEuropeanTimeIsActive()
                                           : testing::EasternTimeIsActive());
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

struct SetSpanCase {
  const char* now;
  int year, month, day, hour;  // the picked date (its time of day does not count)
  std::int32_t daysFromToday;
};

const SetSpanCase kSetSpanCases[] = {
    {"2005-11-10T16:42:17", 2005, 11, 20, 10, 10},
    {"2005-11-10T16:42:17", 2005, 11, 9, 23, -1},
    {"2005-11-10T00:00:00", 2005, 11, 10, 23, 0},
    {"2005-03-20T12:00:00", 2005, 4, 5, 0, 16},     // over the spring change
    {"2005-10-20T12:00:00", 2005, 11, 5, 0, 16},    // over the autumn change
    {"2005-04-05T01:00:00", 2005, 3, 20, 12, -16},  // back over the spring change
};

TEST_F(OptionsTest, SetSpanCountsWholeDaysFromToday) {
  ScopedTimeZone zone(TestZone::Berlin);
  ASSERT_TRUE(testing::CentralEuropeanTimeIsActive());
  for (const SetSpanCase& c : kSetSpanCases) {
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
