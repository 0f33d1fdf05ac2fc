// The calendar writer: the example files byte for byte, the repeat rules, the
// events of expanded occurrences, texts, alarms, long values, and what happens
// when the host or the file fails.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "formats/CalendarFile.h"
#include "formats/FileError.h"
#include "formats/MemoryBytes.h"
#include "platform/ComError.h"
#include "support/CalendarScenario.h"
#include "support/ScratchDirectory.h"

namespace tavir {
namespace {

using test_support::CalendarAppointment;
using test_support::CalendarScenario;
using test_support::ScopedEnvironmentVariable;

constexpr bool kVCalendar = false;
constexpr bool kICalendar = true;

// Collects what the writer hands out; fails once more than `room` bytes were
// written, as a full disk would.
class MemorySink : public ByteSink {
 public:
  MemorySink(std::string& bytes, size_t room) : bytes_(bytes), room_(room) {}
  void Write(const char* data, size_t size) override {
    if (bytes_.size() + size > room_)
      throw FileError("There is not enough space on the disk.");
    bytes_.append(data, size);
  }
  void Close() override {}

 private:
  std::string& bytes_;
  size_t room_;
};

class CalendarFileTest : public ::testing::Test {
 protected:
  // Writes a whole file through body and returns its bytes.
  std::string WriteFile(bool iCalendar, const std::function<void(CalendarFile&)>& body) {
    std::string bytes;
    CalendarFile file(iCalendar);
    file.OpenWrite(std::make_unique<MemorySink>(bytes, std::string::npos));
    body(file);
    EXPECT_EQ(file.Finish(), 0);
    return bytes;
  }
  std::string WriteOne(bool iCalendar, const CalendarAppointment& a) {
    return WriteFile(iCalendar, [&](CalendarFile& file) { scenario.WriteWhole(file, a); });
  }

  test_support::ScopedUtcPlusOne zone;
  ScopedEnvironmentVariable now{"TAVIR_NOW", std::string("2005-11-10T16:42:17")};
  CalendarScenario scenario;
};

bool HasLine(const std::string& file, const std::string& line) {
  return file.find("\r\n" + line + "\r\n") != std::string::npos;
}

size_t CountOf(const std::string& file, const std::string& piece) {
  size_t count = 0;
  for (size_t at = file.find(piece); at != std::string::npos; at = file.find(piece, at + 1))
    ++count;
  return count;
}

RepeatRule Rule(std::int32_t type, std::int32_t interval, std::int32_t extra = 0,
                TimeValue end = 0) {
  return RepeatRule{type, interval, end, extra};
}

// A CalendarAppointment is 2005-11-14, 09:00 to 10:00, unless set otherwise.
TEST_F(CalendarFileTest, WritesTheExampleFilesByteForByte) {
  const CalendarAppointment meeting{.endMinute = 30,
                                    .text = "Meeting",
                                    .note = "Bring slides",
                                    .category = "Business",
                                    .location = "Room 101",
                                    .isPrivate = true};
  const CalendarAppointment holiday{.day = 15,
                                    .untimed = true,
                                    .text = "Holiday",
                                    .alarm = true,
                                    .alarmUnit = Days,
                                    .alarmAmount = 1};
  const CalendarAppointment teamCall{.startHour = 14,
                                     .endHour = 15,
                                     .text = "Team call",
                                     .repeat = Rule(Weekly, 2, 2 | 8, LocalMidnight(2005, 12, 31)),
                                     .exceptionDays = {LocalMidnight(2005, 11, 16)}};
  for (const auto& [iCalendar, golden] : {std::pair{kVCalendar, "calendar-example.vcs"},
                                          std::pair{kICalendar, "calendar-example.ics"}}) {
    CalendarScenario fresh;  // record ids 1, 2, 3 in each file
    CalendarFile file(iCalendar);
    const test_support::ScratchDirectory directory("tavir-calendar");
    const std::string name = directory.PathOf(golden);
    ASSERT_EQ(file.OpenWrite(name), 0);
    for (const CalendarAppointment* a : {&meeting, &holiday, &teamCall})
      fresh.WriteWhole(file, *a);
    EXPECT_EQ(file.Finish(), 0);
    EXPECT_EQ(test_support::ReadFileBytes(name),
              test_support::ReadFileBytes(std::string(TAVIR_TEST_DATA) + "/" + golden))
        << golden;
  }
}

// Lines each file must hold for one appointment; after "!", a piece it must not.
struct LinesCase {
  const char* what;
  CalendarAppointment appointment;
  std::vector<std::string> vCalendarLines, iCalendarLines;
};

void PrintTo(const LinesCase& c, std::ostream* out) {
  *out << c.what;
}

class CalendarLines : public CalendarFileTest, public ::testing::WithParamInterface<LinesCase> {};

TEST_P(CalendarLines, AreWrittenAsEachFormatWantsThem) {
  const LinesCase& c = GetParam();
  for (const bool iCalendar : {kVCalendar, kICalendar}) {
    const std::string bytes = WriteOne(iCalendar, c.appointment);
    for (const std::string& line : iCalendar ? c.iCalendarLines : c.vCalendarLines) {
      if (line[0] == '!')
        EXPECT_EQ(CountOf(bytes, line.substr(1)), 0u) << line << "\n" << bytes;
      else
        EXPECT_TRUE(HasLine(bytes, line)) << line << "\n" << bytes;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    RepeatRules, CalendarLines,
    ::testing::Values(LinesCase{"SecondTuesday",
                                {.day = 8, .repeat = Rule(MonthlyDay, 1, 2)},
                                {"RRULE:MP1 2+ TU #0"},
                                {"RRULE:FREQ=MONTHLY;BYDAY=2TU"}},
                      LinesCase{"LastFriday",
                                {.day = 25, .repeat = Rule(MonthlyDay, 1, 5)},
                                {"RRULE:MP1 1- FR #0"},
                                {"RRULE:FREQ=MONTHLY;BYDAY=-1FR"}},
                      LinesCase{"The14th",
                                {.repeat = Rule(MonthlyDate, 1)},
                                {"RRULE:MD1 14 #0"},
                                {"RRULE:FREQ=MONTHLY;BYMONTHDAY=14"}},
                      LinesCase{"Every3MonthsOnThe31st",
                                {.month = 1, .day = 31, .repeat = Rule(MonthlyDate, 3)},
                                {"RRULE:MD3 31 #0"},
                                {"RRULE:FREQ=MONTHLY;INTERVAL=3;BYMONTHDAY=31"}},
                      LinesCase{"Yearly",
                                {.year = 2004, .month = 2, .day = 29, .repeat = Rule(Yearly, 1)},
                                {"RRULE:YM1 2 #0"},
                                {"RRULE:FREQ=YEARLY"}},
                      LinesCase{"Every3Days",
                                {.repeat = Rule(Daily, 3)},
                                {"RRULE:D3 #0"},
                                {"RRULE:FREQ=DAILY;INTERVAL=3"}},
                      LinesCase{"WeeklyNoWeekdays",
                                {.repeat = Rule(Weekly, 1, 0)},
                                {"RRULE:W1 MO #0"},
                                {"RRULE:FREQ=WEEKLY;WKST=SU"}},
                      LinesCase{"WeeklyOnTheWeekend",
                                {.day = 13, .repeat = Rule(Weekly, 1, 1 | 64)},
                                {"RRULE:W1 SU SA #0"},
                                {"RRULE:FREQ=WEEKLY;BYDAY=SU,SA;WKST=SU"}},
                      LinesCase{"TimedUntilTheLastDay",
                                {.repeat = Rule(Weekly, 1, 2, LocalMidnight(2005, 12, 31))},
                                // The end of the last local day (UTC+01:00) in UTC.
                                {"RRULE:W1 MO 20051231T225900Z"},
                                {"RRULE:FREQ=WEEKLY;UNTIL=20051231T235959;BYDAY=MO;WKST=SU"}},
                      LinesCase{"UntimedUntilTheLastDay",
                                {.untimed = true,
                                 .repeat = Rule(Daily, 1, 0, LocalMidnight(2005, 12, 31))},
                                {"RRULE:D1 20051231T225900Z"},
                                {"RRULE:FREQ=DAILY;UNTIL=20051231"}}),
    [](const ::testing::TestParamInfo<LinesCase>& info) { return info.param.what; });

INSTANTIATE_TEST_SUITE_P(
    Texts, CalendarLines,
    ::testing::Values(
        LinesCase{
            "Escaped",
            {.text = "a;b,c\\d",
             .note = "line one\r\nline two\r\n\r\nline four",
             .location = "Room 1, 2nd floor",
             .alarm = true,
             .alarmUnit = Minutes},
            {"SUMMARY;ENCODING=QUOTED-PRINTABLE:a;b,c=5Cd",
             "DESCRIPTION;ENCODING=QUOTED-PRINTABLE:line one=0D=0Aline two=0D=0A=0D=0Aline four",
             "LOCATION;ENCODING=QUOTED-PRINTABLE:Room 1, 2nd floor", "DALARM:20051114T080000Z"},
            {"SUMMARY:a\\;b\\,c\\\\d", "DESCRIPTION:line one\\nline two\\n\\nline four",
             "LOCATION:Room 1\\, 2nd floor", "TRIGGER;VALUE=DURATION:-PT0M",
             "DESCRIPTION:a\\;b\\,c\\\\d",  // the alarm's
             "!QUOTED-PRINTABLE"}},
        LinesCase{"EmptyTextsLeftOutAlarmInHours",
                  {.alarm = true, .alarmUnit = Hours, .alarmAmount = 2},
                  {"!SUMMARY", "!DESCRIPTION", "DALARM:20051114T060000Z"},
                  {"!SUMMARY", "TRIGGER;VALUE=DURATION:-PT120M",
                   "ACTION:DISPLAY\r\nDESCRIPTION:\r\nEND:VALARM"}},
        // 23:00 to 01:00 on 2005-03-01, UTC+01:00: the end on the next day,
        // as the import reads it.
        LinesCase{"EndBeforeTheStart",
                  {.month = 3, .day = 1, .startHour = 23, .endHour = 1},
                  {"DTSTART:20050301T220000Z", "DTEND:20050302T000000Z"},
                  {"DTSTART:20050301T220000Z", "DTEND:20050302T000000Z"}},
        // A huge advance stays before the event instead of wrapping around.
        LinesCase{"HugeAlarm",
                  {.alarm = true, .alarmUnit = Days, .alarmAmount = 2000000000},
                  {"DALARM:19011213T204500Z"},
                  {}}),
    [](const ::testing::TestParamInfo<LinesCase>& info) { return info.param.what; });

TEST_F(CalendarFileTest, ExpandedOccurrencesCarryNoRuleAndEachHasItsOwnUid) {
  const CalendarAppointment weekly{
      .startHour = 14, .endHour = 15, .text = "Team call", .repeat = Rule(Weekly, 1, 2 | 8)};
  const TimeValue from = LocalMidnight(2005, 11, 14);
  const TimeValue to = BuildLocal(2005, 11, 27, 23, 59, 0);

  const std::string vcs = WriteFile(kVCalendar, [&](CalendarFile& file) {
    EXPECT_EQ(scenario.WriteOccurrences(file, weekly, from, to), 4);
  });
  EXPECT_EQ(CountOf(vcs, "BEGIN:VEVENT"), 4u);
  EXPECT_EQ(CountOf(vcs, "RRULE"), 0u);
  for (const char* start :
       {"20051114T130000Z", "20051116T130000Z", "20051121T130000Z", "20051123T130000Z"})
    EXPECT_TRUE(HasLine(vcs, std::string("DTSTART:") + start)) << start;

  const std::string ics = WriteFile(kICalendar, [&](CalendarFile& file) {
    EXPECT_EQ(scenario.WriteOccurrences(file, weekly, from, to), 4);
  });
  EXPECT_EQ(CountOf(ics, "RRULE"), 0u);
  const std::string id = std::to_string(scenario.Datebook().NextRecordId() - 1);
  for (const char* day : {"20051114", "20051116", "20051121", "20051123"}) {
    EXPECT_EQ(CountOf(ics, "UID:TAVIR-" + id + "-"), 4u);
    EXPECT_EQ(CountOf(ics, "-" + std::string(day) + "@tavir.invalid\r\n"), 1u) << day;
    // Not a repeating event: the moment itself, in UTC.
    EXPECT_TRUE(HasLine(ics, std::string("DTSTART:") + day + "T130000Z")) << day;
  }
}

// vCalendar files carry the ANSI bytes, quoted-printable, and name the
// charset when those are UTF-8 and not plain ASCII; iCalendar files are UTF-8.
// The ANSI code page is Windows-1252 under the C locale and UTF-8 under
// C.UTF-8 (natively); Windows uses its own whichever is set.
TEST_F(CalendarFileTest, TextsAreEncodedAsEachFormatWants) {
  for (const char* locale : {"C", "C.UTF-8"}) {
    SCOPED_TRACE(locale);
    ScopedEnvironmentVariable lcAll("LC_ALL", std::string(locale));
    const std::string bueroBytes = WideToAnsi(OLESTR("B\u00FCro"));
    std::string encoded;
    for (const unsigned char c : bueroBytes) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "=%02X", c);
      encoded += c < 0x80 ? std::string(1, static_cast<char>(c)) : hex;
    }
    const CalendarAppointment a{
        .text = WideToAnsi(OLESTR("Caf\u00E9")), .category = bueroBytes, .location = "Plain"};
    const std::string vcs = WriteOne(kVCalendar, a);
    const std::string charset = AnsiCodePageIsUtf8() ? ";CHARSET=UTF-8" : "";
    EXPECT_TRUE(HasLine(vcs, "CATEGORIES" + charset + ";ENCODING=QUOTED-PRINTABLE:" + encoded))
        << vcs;
    EXPECT_TRUE(HasLine(vcs, "LOCATION;ENCODING=QUOTED-PRINTABLE:Plain")) << vcs;
    const std::string ics = WriteOne(kICalendar, a);
    EXPECT_TRUE(HasLine(ics, "SUMMARY:Caf\xC3\xA9"));
    EXPECT_TRUE(HasLine(ics, "CATEGORIES:B\xC3\xBCro"));
  }
}

TEST_F(CalendarFileTest, LongValues) {
  std::string note;
  for (int i = 0; note.size() < 50000; ++i)
    note += "Note " + std::to_string(i) + " ";
  note.resize(50000);
  CalendarAppointment a = CalendarAppointment{};
  a.text = std::string(100, 'x');
  a.note = note;

  // vCalendar: only the first 39,999 bytes are encoded; nothing is folded,
  // the quoted-printable soft breaks are the only line breaks in a value.
  const std::string vcs = WriteOne(kVCalendar, a);
  EXPECT_TRUE(HasLine(vcs, "SUMMARY;ENCODING=QUOTED-PRINTABLE:" + std::string(72, 'x') + "=\r\n" +
                               std::string(28, 'x')));
  const size_t descriptionAt = vcs.find("DESCRIPTION;ENCODING=QUOTED-PRINTABLE:");
  ASSERT_NE(descriptionAt, std::string::npos);
  std::string encoded =
      vcs.substr(descriptionAt + 38, vcs.find("\r\nDTSTAMP") - descriptionAt - 38);
  for (size_t at; (at = encoded.find("=\r\n")) != std::string::npos;)
    encoded.erase(at, 3);
  EXPECT_EQ(encoded, note.substr(0, 39999));

  // iCalendar: the whole note, on lines of at most 75 octets.
  const std::string ics = WriteOne(kICalendar, a);
  std::string unfolded = ics;
  for (size_t at; (at = unfolded.find("\r\n ")) != std::string::npos;)
    unfolded.erase(at, 3);
  EXPECT_TRUE(HasLine(unfolded, "DESCRIPTION:" + note));
  size_t lineStart = 0;
  for (size_t end; (end = ics.find("\r\n", lineStart)) != std::string::npos; lineStart = end + 2)
    ASSERT_LE(end - lineStart, 75u) << ics.substr(lineStart, end - lineStart);
}

TEST_F(CalendarFileTest, AHostErrorLeavesNoHalfWrittenEvent) {
  CalendarAppointment weekly = CalendarAppointment{};
  weekly.repeat = Rule(Weekly, 1, 2);
  for (bool iCalendar : {kVCalendar, kICalendar}) {
    CalendarScenario fresh;
    ComPtr<IDesktopAppointment> host = fresh.AddToHost(weekly);
    std::unique_ptr<AppointmentRecord> record = fresh.MakeRecord(host.Get());
    fresh.Datebook().Faults().Add({"GetRepeat", E_FAIL, "The datebook is locked.", 1, false});
    const std::string bytes = WriteFile(iCalendar, [&](CalendarFile& file) {
      try {
        file.WriteAppointment(*record, host.Get(), false);
        ADD_FAILURE() << "no host error";
      } catch (const ComError& error) {
        EXPECT_EQ(error.Error(), E_FAIL);
        EXPECT_EQ(error.Description(), "The datebook is locked.");
      }
      // A repeating record without its host appointment.
      EXPECT_THROW(file.WriteAppointment(*record, nullptr, false), ComError);
      // An occurrence needs no host appointment.
      EXPECT_EQ(file.WriteAppointment(*record, nullptr, true), 1);
    });
    EXPECT_EQ(CountOf(bytes, "BEGIN:VEVENT"), 1u);
    EXPECT_EQ(CountOf(bytes, "END:VEVENT"), 1u);
  }
}

TEST_F(CalendarFileTest, AWriteErrorReachesTheCaller) {
  CalendarAppointment a = CalendarAppointment{};
  a.note = std::string(30000, 'n');
  std::string bytes;
  CalendarFile file(kICalendar);
  file.OpenWrite(std::make_unique<MemorySink>(bytes, 100000));
  // Written out in blocks: the error comes with the block that does not fit.
  const auto writeTen = [&] {
    for (int i = 0; i < 10; ++i)
      scenario.WriteWhole(file, a);
  };
  EXPECT_THROW(writeTen(), FileError);
  EXPECT_THROW(file.Finish(), FileError);

  // Nothing fits: the error comes from Finish at the latest.
  std::string none;
  CalendarFile small(kVCalendar);
  small.OpenWrite(std::make_unique<MemorySink>(none, 0));
  scenario.WriteWhole(small, CalendarAppointment{});
  EXPECT_THROW(small.Finish(), FileError);
}

}  // namespace
}  // namespace tavir
