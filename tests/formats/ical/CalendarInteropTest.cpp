// iCalendar files as other programs read them: every file is parsed by
// libical and by python-icalendar, and what each reads back (texts, start and
// end, all-day, alarm, class, categories, location, and the occurrences of the
// rule as libical and python-dateutil expand it) must equal what was exported.
// Native only: it links libical and starts Debian's python.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "LibicalReadBack.h"
#include "formats/CalendarFile.h"
#include "formats/CalendarUid.h"
#include "support/CalendarScenario.h"
#include "support/ScratchDirectory.h"
#include "support/TimeZones.h"

namespace tavir {
namespace {

using test_support::CalendarAppointment;
using test_support::CalendarScenario;
using test_support::EscapeReadBackText;
using test_support::ScopedEnvironmentVariable;

// An appointment with its texts in UTF-8, and the note as a reader gives it
// back (each line break one LF).
struct InteropCase {
  const char* what;
  CalendarAppointment appointment;
  std::string noteReadBack;
};

// The UTF-8 text in the ANSI code page of the locale in force.
std::string ToAnsi(const std::string& utf8) {
  WideString wide;
  {
    ScopedEnvironmentVariable utf8Locale("LC_ALL", std::string("C.UTF-8"));
    wide = AnsiToWide(utf8);
  }
  return WideToAnsi(wide);
}

std::string DateText(TimeValue day) {
  const LocalFields local = SplitLocal(day);
  char text[16];
  std::snprintf(text, sizeof text, "D:%04d%02d%02d", local.year, local.month, local.day);
  return text;
}

std::string MomentText(TimeValue moment) {
  return "T:" + std::to_string(moment);
}

RepeatRule Rule(std::int32_t type, std::int32_t interval, std::int32_t extra, TimeValue end = 0) {
  return RepeatRule{type, interval, end, extra};
}

std::string LongNote() {
  std::string note;
  for (int i = 0; note.size() < 30000; ++i)
    note += "Zeile " + std::to_string(i) +
            ": Gr\xC3\xBC\xC3\x9F"
            "e f\xC3\xBCr 5 \xE2\x82\xAC; a,b\\c ";
  // Cut to 30,000 bytes between two characters.
  size_t size = 30000;
  while ((static_cast<unsigned char>(note[size]) & 0xC0) == 0x80)
    --size;
  note.resize(size);
  return note;
}

// Unless set otherwise, an appointment is 2005-11-14, 09:00 to 10:00.
std::vector<InteropCase> Cases() {
  const CalendarAppointment texts{
      .endMinute = 30,
      .text = "Caf\xC3\xA9; B\xC3\xBCro, C:\\Temp",
      .note = "Zeile eins\r\nZeile zwei\r\n\r\nnach der Leerzeile\nLF\rCR",
      .category = "B\xC3\xBCro, \xC3\x84rger",
      .location =
          "Stra\xC3\x9F"
          "e 5; 2. OG",
      .isPrivate = true,
      .alarm = true,
      .alarmUnit = Hours,
      .alarmAmount = 2};
  const CalendarAppointment longNote{.day = 15,
                                     .startHour = 8,
                                     .endHour = 8,
                                     .endMinute = 30,
                                     .text = "Long note",
                                     .note = LongNote()};
  // clang-format off
  return {
      {"texts", texts, "Zeile eins\nZeile zwei\n\nnach der Leerzeile\nLF\nCR"},
      {"a 30,000-byte note", longNote, longNote.note},
      {"daily", {.text = "Every third day", .alarm = true, .alarmAmount = 15,
                 .repeat = Rule(Daily, 3, 0, LocalMidnight(2006, 3, 31)),
                 .exceptionDays = {LocalMidnight(2005, 11, 14), LocalMidnight(2005, 11, 26)}}, ""},
      {"weekly every second week, with Sunday",
       {.startHour = 14, .endHour = 15, .text = "Sunday, Monday, Wednesday",
        .repeat = Rule(Weekly, 2, 1 | 2 | 8)}, ""},
      {"weekly without weekdays",
       {.day = 17, .startHour = 18, .endHour = 19, .text = "The start's weekday",
        .repeat = Rule(Weekly, 1, 0, LocalMidnight(2006, 1, 31))}, ""},
      {"monthly by day",
       {.day = 8, .startHour = 19, .startMinute = 30, .endHour = 20, .endMinute = 30,
        .text = "Second Tuesday evening", .repeat = Rule(MonthlyDay, 1, 2),
        .exceptionDays = {LocalMidnight(2005, 12, 13)}}, ""},
      {"monthly on the last weekday, ending the next day",
       {.day = 25, .startHour = 23, .endHour = 1, .text = "Last Friday, overnight",
        .repeat = Rule(MonthlyDay, 1, 5)}, ""},
      {"monthly by date, untimed",
       {.month = 10, .day = 31, .untimed = true, .text = "The 31st",
        .repeat = Rule(MonthlyDate, 1, 0, LocalMidnight(2007, 12, 31))}, ""},
      {"monthly by date every two months",
       {.day = 15, .startHour = 7, .endHour = 7, .endMinute = 45, .text = "Every other month",
        .repeat = Rule(MonthlyDate, 2, 0)}, ""},
      {"yearly on 29 February",
       {.year = 2004, .month = 2, .day = 29, .startHour = 8, .endHour = 9, .text = "Leap day",
        .repeat = Rule(Yearly, 1, 0)}, ""},
      {"weekly, untimed, until",
       {.day = 15, .untimed = true, .text = "Tuesday and Thursday", .alarm = true,
        .alarmUnit = Days, .alarmAmount = 1,
        .repeat = Rule(Weekly, 1, 4 | 16, LocalMidnight(2006, 2, 28)),
        .exceptionDays = {LocalMidnight(2005, 11, 17), LocalMidnight(2006, 2, 28)}}, ""},
      {"untimed on the day clocks go back",
       {.month = 10, .day = 30, .untimed = true, .text = "Autumn"}, ""},
      {"untimed on the day clocks go forward",
       {.year = 2006, .month = 3, .day = 26, .untimed = true, .text = "Spring"}, ""},
      {"across the change of the clocks",
       {.month = 10, .day = 30, .startHour = 1, .endHour = 4, .text = "Night"}, ""},
      {"no texts", {.month = 12, .day = 1, .startHour = 12, .endHour = 13}, ""},
  };
  // clang-format on
}

// What a reader must give back for the event of case c written for the host
// appointment with that record id: for the whole appointment (occurrence 0)
// or for one occurrence day.
std::string ExpectedBlock(const InteropCase& c, IDesktopAppointment* host, TimeValue occurrence,
                          TimeValue firstDay, TimeValue lastDay) {
  const CalendarAppointment& a = c.appointment;
  HostLong recordId = 0;
  host->get_RecordID(&recordId);
  const TimeValue day = occurrence ? occurrence : LocalMidnight(a.year, a.month, a.day);
  const auto startOn = [&](TimeValue d) {
    if (a.untimed)
      return DateText(d);
    const LocalFields f = SplitLocal(d);
    return MomentText(BuildLocal(f.year, f.month, f.day, a.startHour, a.startMinute, 0));
  };
  const LocalFields f = SplitLocal(day);
  std::string end;
  if (a.untimed) {
    end = DateText(LocalMidnight(f.year, f.month, f.day + 1));
  } else {
    const bool nextDay =
        a.endHour < a.startHour || (a.endHour == a.startHour && a.endMinute < a.startMinute);
    end = MomentText(
        BuildLocal(f.year, f.month, f.day + (nextDay ? 1 : 0), a.endHour, a.endMinute, 0));
  }
  std::string occurrences;
  const std::vector<TimeValue> days =
      occurrence ? std::vector<TimeValue>{occurrence}
                 : CalendarScenario::OccurrenceDays(
                       host, firstDay,
                       BuildLocal(SplitLocal(lastDay).year, SplitLocal(lastDay).month,
                                  SplitLocal(lastDay).day, 23, 59, 59));
  for (TimeValue d : days)
    occurrences += (occurrences.empty() ? "" : " ") + startOn(d);
  std::string alarm = "-";
  if (a.alarm) {
    const int factor = a.alarmUnit == Hours ? 60 : a.alarmUnit == Days ? 1440 : 1;
    alarm = std::to_string(-a.alarmAmount * factor) + " " + EscapeReadBackText(a.text);
  }
  const std::string uid = EventUid(recordId, "", occurrence);
  return "EVENT " + uid + "\n" + "SUMMARY " + EscapeReadBackText(a.text) + "\n" + "DESCRIPTION " +
         EscapeReadBackText(c.noteReadBack) + "\n" + "START " + startOn(day) + "\n" + "END " + end +
         "\n" + "CLASS " + (a.isPrivate ? "PRIVATE" : "") + "\n" + "CATEGORIES " +
         EscapeReadBackText(a.category) + "\n" + "LOCATION " + EscapeReadBackText(a.location) +
         "\n" + "ALARM " + alarm + "\n" + "OCCURRENCES " + occurrences + "\n";
}

std::string ReadBackWithPython(const std::string& fileName, const char* firstDay,
                               const char* lastDay) {
  const std::string command = std::string(TAVIR_PYTHON) + " " + TAVIR_TOOLS + "/check_ics.py '" +
                              fileName + "' " + firstDay + " " + lastDay + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe)
    return "cannot start: " + command;
  std::string output;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    output.append(buffer, n);
  const int status = pclose(pipe);
  if (status != 0)
    output += "\nexit status " + std::to_string(status);
  return output;
}

struct Setting {
  const char* what;
  test_support::TestZone zone;
  bool utcPlusOne;  // the examples' zone instead of `zone`
  const char* locale;
};

TEST(CalendarInterop, LibicalAndPythonReadBackWhatWasExported) {
  ScopedEnvironmentVariable now("TAVIR_NOW", std::string("2005-11-10T16:42:17"));
  const Setting settings[] = {
      {"UTC+01:00, Windows-1252", test_support::TestZone::Berlin, true, "C"},
      {"Berlin, UTF-8", test_support::TestZone::Berlin, false, "C.UTF-8"},
      {"Berlin, Windows-1252", test_support::TestZone::Berlin, false, "C"},
      {"New York, UTF-8", test_support::TestZone::NewYork, false, "C.UTF-8"},
  };
  for (const Setting& setting : settings) {
    SCOPED_TRACE(setting.what);
    test_support::ScopedTimeZone zone(setting.zone);
    std::optional<test_support::ScopedUtcPlusOne> utcPlusOne;
    if (setting.utcPlusOne)
      utcPlusOne.emplace();
    ScopedEnvironmentVariable locale("LC_ALL", std::string(setting.locale));

    const TimeValue firstDay = LocalMidnight(2005, 10, 1);
    const TimeValue lastDay = LocalMidnight(2008, 12, 31);
    const TimeValue simpleTo = BuildLocal(2006, 4, 30, 23, 59, 0);
    CalendarScenario scenario;
    const test_support::ScratchDirectory directory("tavir-calendar-interop");
    const std::string name = directory.PathOf("interop.ics");
    CalendarFile file(true);
    ASSERT_EQ(file.OpenWrite(name), 0);
    std::string expected;
    for (const InteropCase& c : Cases()) {
      CalendarAppointment ansi = c.appointment;
      ansi.text = ToAnsi(ansi.text);
      ansi.note = ToAnsi(ansi.note);
      ansi.category = ToAnsi(ansi.category);
      ansi.location = ToAnsi(ansi.location);
      // Once whole, as the full export writes it ...
      ComPtr<IDesktopAppointment> host = scenario.AddToHost(ansi);
      file.WriteAppointment(*scenario.MakeRecord(host.Get()), host.Get(), false);
      expected += ExpectedBlock(c, host.Get(), 0, firstDay, lastDay);
      // ... and once per occurrence, as the simple export writes it.
      std::unique_ptr<AppointmentRecord> record = scenario.MakeRecord(host.Get());
      for (TimeValue day : CalendarScenario::OccurrenceDays(host.Get(), firstDay, simpleTo)) {
        record->SetDate(day);
        file.WriteAppointment(*record, host.Get(), true);
        expected += ExpectedBlock(c, host.Get(), day, firstDay, lastDay);
      }
    }
    ASSERT_EQ(file.Finish(), 0);
    const std::string ics = test_support::ReadFileBytes(name);

    // gtest shows the lines that differ.
    try {
      EXPECT_EQ(test_support::ReadBackWithLibical(ics, firstDay, lastDay), expected) << "libical";
    } catch (const std::exception& error) {
      ADD_FAILURE() << error.what();
    }
    EXPECT_EQ(ReadBackWithPython(name, "2005-10-01", "2008-12-31"), expected) << "python-icalendar";
  }
}

}  // namespace
}  // namespace tavir
