// Whole datebooks through every file the program writes and back, under two
// regional settings and two time zones: the sample and a random datebook
// with every repeat kind and exception days. A full CSV or Excel file
// imported into an empty datebook exports again byte for byte, exceptions
// included; an .ics file read by libical and python-icalendar and a .vcs file
// read by python-vobject give exactly the datebook's occurrences.
// Native only: it links libical and starts Debian's python.
#include <cstdio>
#include <filesystem>
#include <random>
#include <sstream>
#include <unistd.h>

#include <gtest/gtest.h>

#include "desktop/Desktop.h"
#include "engine/ExportDriver.h"
#include "engine/ImportDriver.h"
#include "formats/ical/LibicalReadBack.h"
#include "host/HostCalls.h"
#include "host/Transfer.h"
#include "model/Options.h"
#include "platform/CodePage.h"
#include "spreadsheet/StandIn.h"
#include "support/CalendarScenario.h"
#include "support/FakeShell.h"
#include "support/ScratchDirectory.h"
#include "support/TimeZones.h"

namespace tavir::test_support {
namespace {

const TimeValue kFirstDay = LocalMidnight(2025, 1, 1);

// The occurrences of every appointment, in the order the host hands them to
// an export, as the readers print them: "OCCURRENCES T:<start> ..." or
// "D:<YYYYMMDD>".
std::string HostOccurrences(const Options& options) {
  std::string lines;
  const TimeValue first = LocalMidnight(2025, 1, 1);
  const TimeValue last = BuildLocal(2031, 12, 31, 23, 59, 59);
  const ComPtr<IDesktopAppointments> all = QueryAllAppointments(OpenDatebook(options).Get());
  for (HostLong i = 0; i < ReadCount(all.Get()); ++i) {
    const ComPtr<IDesktopAppointment> appointment = ReadItem(all.Get(), i);
    const LocalFields start = SplitLocal(ReadStartTime(appointment.Get()));
    const bool untimed = ReadUntimed(appointment.Get()) != 0;
    std::string days;
    for (const TimeValue day : CalendarScenario::OccurrenceDays(appointment.Get(), first, last)) {
      const LocalFields d = SplitLocal(day);
      char text[32];
      if (untimed)
        std::snprintf(text, sizeof text, "D:%04d%02d%02d", d.year, d.month, d.day);
      else
        std::snprintf(
            text, sizeof text, "T:%d",
            static_cast<int>(BuildLocal(d.year, d.month, d.day, start.hour, start.minute, 0)));
      days += (days.empty() ? "" : " ") + std::string(text);
    }
    lines += "OCCURRENCES " + days + "\n";
  }
  return lines;
}

std::string OccurrenceLines(const std::string& readBack) {
  std::istringstream in(readBack);
  std::string lines;
  for (std::string line; std::getline(in, line);)
    if (line.rfind("OCCURRENCES", 0) == 0 || line.rfind("does not", 0) == 0 ||
        line.rfind("exit status", 0) == 0)
      lines += line + "\n";
  return lines;
}

std::string RunChecker(const char* script, const std::string& file) {
  const std::string command = std::string(TAVIR_PYTHON) + " " + TAVIR_TOOLS + "/" + script + " '" +
                              file + "' 2025-01-01 2031-12-31 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe)
    return "cannot start " + command;
  std::string output;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    output.append(buffer, n);
  if (const int status = pclose(pipe); status != 0)
    output += "exit status " + std::to_string(status);
  return output;
}

// Appointments of every repeat kind with a few of their days cancelled;
// the same for every run.
void AddRandomAppointments(const std::shared_ptr<DatebookData>& data) {
  std::mt19937 random(20051114);
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  for (int i = 0; i < 40; ++i) {
    AppointmentData a;
    const int year = pick(2025, 2028), month = pick(1, 12), day = pick(1, 28);
    a.untimed = pick(0, 4) == 0;
    if (a.untimed) {
      a.start = a.end = LocalMidnight(year, month, day);
    } else {
      a.start = BuildLocal(year, month, day, pick(6, 21), pick(0, 3) * 15, 0);
      a.end = a.start + pick(1, 8) * 900 + (pick(0, 5) == 0 ? 6 * 3600 : 0);  // some overnight
    }
    a.description = AnsiToWide("Random " + std::to_string(i));
    a.repeat.type = i % 6;  // 0: single
    a.repeat.interval = pick(1, 3);
    if (a.repeat.type == Weekly)
      a.repeat.extra = pick(0, 127);
    if (a.repeat.type == MonthlyDay)
      a.repeat.extra = pick(1, 5);
    if (pick(0, 1))
      a.repeat.end = LocalMidnight(year + pick(1, 3), pick(1, 12), pick(1, 28));
    const auto stored = data->Add(a);
    if (!a.Repeats())
      continue;
    // Cancel some of the days the datebook itself yields.
    ComPtr<DesktopAppointment> object = MakeDesktopObject<DesktopAppointment>(data, stored);
    const std::vector<TimeValue> days =
        CalendarScenario::OccurrenceDays(object.Get(), a.start, BuildLocal(2031, 12, 31, 23, 0, 0));
    for (int n = pick(0, 3); n > 0 && !days.empty(); --n)
      stored->exceptions.insert(days[pick(0, static_cast<int>(days.size()) - 1)]);
  }
}

class RoundTripInterop : public ::testing::Test {
 protected:
  ScratchDirectory directory_{"tavir-round-trip"};
  FakeShell shell_;
  InstalledShell installed_{shell_};

  void SetUp() override { spreadsheet::RegisterSpreadsheetStandIn(); }
  void TearDown() override { spreadsheet::UnregisterSpreadsheetStandIn(); }
  std::string PathOf(const std::string& name) const { return directory_.PathOf(name); }

  static std::unique_ptr<Options> OptionsFor(const std::shared_ptr<DatebookData>& data) {
    auto options = std::make_unique<Options>();
    options->host = ComPtr<IUnknown>(CreateDesktopApplication(data).Get());
    options->separator = ",";
    options->fullformat = 1;
    return options;
  }

  // A new datebook with what the file holds.
  std::shared_ptr<DatebookData> Imported(const std::string& file) {
    auto data = std::make_shared<DatebookData>(AnsiToWide("Bob"));
    ImportSummary summary;
    EXPECT_EQ(ImportFile(file, *OptionsFor(data), nullptr, &summary), 0);
    EXPECT_EQ(summary.faulty, 0) << file;
    return data;
  }
};

TEST_F(RoundTripInterop, EveryFormatKeepsEveryOccurrenceAndNoCancelledOne) {
  ScopedEnvironmentVariable now("TAVIR_NOW", std::string("2026-11-10T16:42:17"));
  ScopedEnvironmentVariable codeset("LC_ALL", std::string("C.UTF-8"));
  for (const auto& [locale, zone] : {std::pair{"en-US", TestZone::Berlin},
                                     {"de-DE", TestZone::Berlin},
                                     {"en-US", TestZone::NewYork},
                                     {"de-DE", TestZone::NewYork}}) {
    SCOPED_TRACE(std::string(locale) + (zone == TestZone::Berlin ? " Berlin" : " New York"));
    ScopedTimeZone pinned(zone);
    auto alice = std::make_shared<DatebookData>(AnsiToWide("Alice"));
    {
      // The sample's dates are American.
      ScopedEnvironmentVariable sample("TAVIR_LOCALE", std::string("en-US"));
      ASSERT_EQ(ImportFile(std::string(TAVIR_TEST_DATA) + "/../../examples/sample.csv",
                           *OptionsFor(alice), nullptr),
                0);
    }
    AddRandomAppointments(alice);
    ScopedEnvironmentVariable regional("TAVIR_LOCALE", std::string(locale));
    const auto options = OptionsFor(alice);
    const std::string expected = HostOccurrences(*options);

    ASSERT_GT(ExportFull(PathOf("alice.csv"), *options, nullptr), 80);
    const std::string csv = ReadFileBytes(PathOf("alice.csv"));
    const auto fromCsv = Imported(PathOf("alice.csv"));
    ExportFull(PathOf("again.csv"), *OptionsFor(fromCsv), nullptr);
    EXPECT_EQ(ReadFileBytes(PathOf("again.csv")), csv) << "CSV";
    EXPECT_EQ(HostOccurrences(*OptionsFor(fromCsv)), expected) << "CSV";

    ExportFull(PathOf("alice.xls"), *options, nullptr);
    const auto fromExcel = Imported(PathOf("alice.xls"));
    ExportFull(PathOf("from-excel.csv"), *OptionsFor(fromExcel), nullptr);
    EXPECT_EQ(ReadFileBytes(PathOf("from-excel.csv")), csv) << "Excel";

    ExportFull(PathOf("alice.ics"), *options, nullptr);
    try {
      EXPECT_EQ(OccurrenceLines(ReadBackWithLibical(ReadFileBytes(PathOf("alice.ics")), kFirstDay,
                                                    LocalMidnight(2031, 12, 31))),
                expected)
          << "libical";
    } catch (const std::exception& error) {
      ADD_FAILURE() << error.what();
    }
    EXPECT_EQ(OccurrenceLines(RunChecker("check_ics.py", PathOf("alice.ics"))), expected)
        << "python-icalendar";

    ExportFull(PathOf("alice.vcs"), *options, nullptr);
    EXPECT_EQ(OccurrenceLines(RunChecker("check_vcs.py", PathOf("alice.vcs"))), expected)
        << "python-vobject";
  }
  EXPECT_TRUE(shell_.Messages().empty());
}

}  // namespace
}  // namespace tavir::test_support
