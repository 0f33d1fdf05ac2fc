// Random datebooks exported to CSV in the full format and imported into an
// empty datebook give the same appointments, and importing the file again
// adds nothing: every repeat kind, times in every hour (the hours around the
// daylight-saving changes included), all-day appointments and exception
// dates, with the clock pinned on the day the clocks go forward.
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "desktop/Occurrences.h"
#include "engine/EngineFixture.h"
#include "engine/ExportDriver.h"
#include "engine/ImportDriver.h"

namespace tavir::test_support {
namespace {

struct Zone {
  const char* name;
  TestZone zone;
  int springDay, fallDay;  // 2010, as yyyymmdd
};

TimeValue Midnight(int ymd) {
  return LocalMidnight(ymd / 10000, ymd / 100 % 100, ymd % 100);
}

// What a CSV file keeps of a moment: its local date and time on the wall.
std::string Wall(TimeValue t, bool withTime) {
  const LocalFields f = SplitLocal(t);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", f.year, f.month, f.day);
  std::string wall = text;
  if (withTime) {
    std::snprintf(text, sizeof text, " %02d:%02d", f.hour, f.minute);
    wall += text;
  }
  return wall;
}

std::string Canonical(const AppointmentData& a) {
  std::string s = WideToAnsi(a.description) + "|" + WideToAnsi(a.note) + "|" +
                  WideToAnsi(a.category) + "|" + WideToAnsi(a.location) + "|" +
                  (a.isPrivate ? "private" : "") + "|" + Wall(a.start, !a.untimed);
  if (!a.untimed)
    s += " to " + Wall(a.end, true);
  if (a.alarm)
    s += "|alarm " + std::to_string(a.alarmUnit) + " " + std::to_string(a.alarmAmount);
  if (!a.Repeats())
    return s;
  s += "|repeat " + std::to_string(a.repeat.type) + " every " + std::to_string(a.repeat.interval) +
       " until " + (a.repeat.end ? Wall(a.repeat.end, false) : "no end") + " extra " +
       std::to_string(a.repeat.extra) + " except";
  for (TimeValue day : a.exceptions)
    s += " " + Wall(day, false);
  return s;
}

class RandomDatebook {
 public:
  RandomDatebook(const Zone& zone, unsigned seed) : zone_(zone), random_(seed) {}

  AppointmentData Make(int index) {
    AppointmentData a;
    a.description = AnsiToWide("Appointment " + std::to_string(index));
    a.note = Pick(3) == 0 ? AnsiToWide("Bring \"slides\", notes; and coffee") : WideString();
    a.category = Pick(2) ? AnsiToWide("Work") : WideString();
    a.location = Pick(3) == 0 ? AnsiToWide("Room " + std::to_string(index)) : WideString();
    a.isPrivate = Pick(4) == 0;
    const int day = Day();
    a.untimed = Pick(5) == 0;
    if (a.untimed) {
      a.start = a.end = Midnight(day);
    } else {
      // Every hour comes up, the ones the clocks skip or repeat included.
      const int hour = index % 24, minute = 15 * Pick(4);
      a.start = BuildLocal(day / 10000, day / 100 % 100, day % 100, hour, minute, 0);
      a.end = a.start + 60 * 15 * Pick(13);
      // A file holds wall-clock times only: an end that shows earlier than the
      // start on the same day (in the hour the clocks repeat) reads as the
      // next day's.
      if (Wall(a.end, false) == Wall(a.start, false) && Wall(a.end, true) < Wall(a.start, true))
        a.end = a.start;
    }
    if (Pick(4) == 0) {
      a.alarm = true;
      a.alarmUnit = Pick(3);
      a.alarmAmount = Pick(100);
    }
    if (Pick(2))
      AddRepeat(a);
    return a;
  }

 private:
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

  // A day from 2005 to 2012, often one on which the clocks change.
  int Day() {
    switch (Pick(4)) {
      case 0:
        return zone_.springDay;
      case 1:
        return zone_.fallDay;
      default: {
        const CivilDate date = CivilFromDay(DayFromCivil(2005, 1, 1) + Pick(8 * 365));
        return date.year * 10000 + date.month * 100 + date.day;
      }
    }
  }

  void AddRepeat(AppointmentData& a) {
    const DayNumber start = LocalDayOf(a.start);
    a.repeat.type = 1 + Pick(5);
    a.repeat.interval = 1 + Pick(3);
    if (a.repeat.type == 2)
      a.repeat.extra = 1 + Pick(127);
    if (a.repeat.type == 3)
      a.repeat.extra = 1 + Pick(5);
    if (Pick(2))
      a.repeat.end = MidnightOfDay(start + 30 + Pick(3000));
    // Exceptions on days the rule gives, as a user removes single occurrences.
    const DayNumber limit = a.repeat.end ? LocalDayOf(a.repeat.end) : kNoEndLastDay;
    std::vector<DayNumber> occurrences;
    for (DayNumber from = start + 1; occurrences.size() < 6;) {
      const auto next = FirstOccurrenceDay(a, from, limit);
      if (!next)
        break;
      occurrences.push_back(*next);
      from = *next + 1;
    }
    for (DayNumber day : occurrences)
      if (Pick(3) == 0)
        a.exceptions.insert(MidnightOfDay(day));
  }

  const Zone& zone_;
  std::mt19937 random_;
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines)
    joined += line + "\n  ";
  return joined;
}

class CsvRoundTripProperty : public EngineFixture {
 protected:
  std::vector<std::string> ActiveCanonical() const {
    std::vector<std::string> all;
    for (const auto& a : ActiveAppointments())
      all.push_back(Canonical(*a));
    std::sort(all.begin(), all.end());
    return all;
  }
};

TEST_F(CsvRoundTripProperty, FullExportImportsAsTheSameAppointmentsAndAgainAsNothing) {
  const Zone zones[] = {{"Berlin", TestZone::Berlin, 20100328, 20101031},
                        {"New York", TestZone::NewYork, 20100314, 20101107}};
  options_.separator = ",";
  for (const Zone& zone : zones) {
    ScopedTimeZone pinned(zone.zone);
    const std::string spring = std::to_string(zone.springDay);
    ScopedEnvironmentVariable now("TAVIR_NOW", spring.substr(0, 4) + "-" + spring.substr(4, 2) +
                                                   "-" + spring.substr(6, 2) + "T12:00:00");
    for (unsigned seed = 1; seed <= 4; ++seed) {
      SCOPED_TRACE(std::string(zone.name) + ", seed " + std::to_string(seed));
      for (const auto& a : ActiveAppointments())
        data_->Delete(*a);
      RandomDatebook random(zone, seed);
      for (int i = 0; i < 60; ++i)
        data_->Add(random.Make(i));
      const std::vector<std::string> original = ActiveCanonical();

      const std::string file = PathOf("round-trip.csv");
      ASSERT_EQ(ExportFull(file, options_, nullptr), 60);
      for (const auto& a : ActiveAppointments())
        data_->Delete(*a);
      ImportSummary first;
      ASSERT_EQ(ImportFile(file, options_, nullptr, &first), 0);
      const std::vector<std::string> imported = ActiveCanonical();
      std::vector<std::string> lost, changed;
      std::set_difference(original.begin(), original.end(), imported.begin(), imported.end(),
                          std::back_inserter(lost));
      std::set_difference(imported.begin(), imported.end(), original.begin(), original.end(),
                          std::back_inserter(changed));
      EXPECT_TRUE(lost.empty() && changed.empty())
          << "exported:\n  " << Joined(lost) << "\nimported:\n  " << Joined(changed);

      ImportSummary again;
      ASSERT_EQ(ImportFile(file, options_, nullptr, &again), 0);
      EXPECT_EQ(again.added, 0);
      EXPECT_EQ(again.duplicates, 60);
    }
  }
  EXPECT_TRUE(shell_.Messages().empty()) << shell_.Messages().front().text;
}

}  // namespace
}  // namespace tavir::test_support
