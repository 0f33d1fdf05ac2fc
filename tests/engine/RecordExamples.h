// Appointment records for the CSV tests of the engine (the examples of the
// file format's documentation among them), and a comparison of what a file
// carries for the mapped fields.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/FieldConversion.h"
#include "formats/CsvFile.h"
#include "formats/MemoryBytes.h"
#include "model/AppointmentRecord.h"
#include "model/FieldMapping.h"
#include "model/Options.h"
#include "platform/LocalTime.h"
#include "platform/Locale.h"
#include "support/Environment.h"

namespace tavir::test_support {

// Central European time, the en-US regional settings and a fixed clock
// (2005-11-10 16:42:17), as the examples of the file formats assume.
class PinnedEnUsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PinCentralEuropeanTime();
    ASSERT_EQ(ActiveLocaleName(), "en-US") << "needs the user locale en-US";
  }
  ScopedEnvironmentVariable locale_{"TAVIR_LOCALE", std::string("en-US")};
  ScopedEnvironmentVariable now_{"TAVIR_NOW", std::string("2005-11-10T16:42:17")};
};

inline void SetTimes(AppointmentRecord& record, int year, int month, int day, int startHour,
                     int startMinute, int endHour, int endMinute) {
  record.SetDate(BuildLocal(year, month, day, 12, 0, 0));
  record.startTime = BuildLocal(year, month, day, startHour, startMinute, 0);
  record.endTime = BuildLocal(year, month, day, endHour, endMinute, 0);
  record.timeSpan = record.endTime - record.startTime;
}

inline void SetUntimed(AppointmentRecord& record, int year, int month, int day) {
  record.SetDate(BuildLocal(year, month, day, 12, 0, 0));
  record.untimed = 1;
}

// 2005-10-26, 9:00 to 10:30, "Meeting" with a two-line note.
inline void MakeMeeting(AppointmentRecord& record) {
  SetTimes(record, 2005, 10, 26, 9, 0, 10, 30);
  record.text = "Meeting";
  record.note = "Bring \"Q3\" figures\r\nand slides";
  record.category = "Business";
  record.location = "Room 101";
}

// 2005-10-27, untimed "Holiday" with an alarm 15 minutes ahead.
inline void MakeHoliday(AppointmentRecord& record) {
  SetUntimed(record, 2005, 10, 27);
  record.text = "Holiday";
  record.alarm = 1;
  record.alarmAmount = 15;
  record.alarmUnit = Minutes;
}

// From 2005-10-24, 14:00 to 15:00, weekly on Monday and Wednesday, no end.
inline void MakeTeamCall(AppointmentRecord& record) {
  SetTimes(record, 2005, 10, 24, 14, 0, 15, 0);
  record.text = "Team call";
  record.repeat = 1;
  record.repeatType = Weekly;
  record.repeatInterval = 1;
  record.weekDays = kWeekdayBit[1] | kWeekdayBit[3];
}

// What the file must carry from expected to actual for the fields of the
// mapping (the repeat fields only when withRepeat).
inline void ExpectSameInFile(const AppointmentRecord& expected, const AppointmentRecord& actual,
                             const FieldMapping& mapping, bool withRepeat,
                             const std::string& where) {
  auto mapped = [&](FieldId field) {
    const auto& simple = mapping.simpleFields;
    const auto& repeat = mapping.repeatFields;
    return std::find(simple.begin(), simple.end(), field) != simple.end() ||
           (withRepeat && expected.repeat &&
            std::find(repeat.begin(), repeat.end(), field) != repeat.end());
  };
  SCOPED_TRACE(where + ": " + expected.text);
  auto same = [](bool compare, const auto& actualValue, const auto& expectedValue,
                 const char* member) {
    if (compare) {
      EXPECT_EQ(actualValue, expectedValue) << member;
    }
  };
  const bool timed = !expected.untimed;
  same(mapped(field::Date), actual.date, expected.date, "date");
  same(mapped(field::Untimed), actual.untimed, expected.untimed, "untimed");
  same(timed && mapped(field::StartTime), actual.GetStart(), expected.GetStart(), "start");
  same(timed && (mapped(field::EndTime) || mapped(field::TimeSpan)), actual.GetEnd(),
       expected.GetEnd(), "end");
  same(timed && mapped(field::TimeSpan), actual.timeSpan, expected.timeSpan, "timeSpan");
  same(mapped(field::Private), actual.isPrivate, expected.isPrivate, "isPrivate");
  same(mapped(field::Text), actual.text, expected.text, "text");
  same(mapped(field::Note), actual.note, expected.note, "note");
  same(mapped(field::Alarm), actual.alarm, expected.alarm, "alarm");
  same(expected.alarm && mapped(field::AlarmTime), actual.alarmAmount, expected.alarmAmount,
       "alarmAmount");
  same(expected.alarm && mapped(field::AlarmUnit), actual.alarmUnit, expected.alarmUnit,
       "alarmUnit");
  same(mapped(field::Category), actual.category, expected.category, "category");
  same(mapped(field::Location), actual.location, expected.location, "location");
  // Without its rule a repeating record reads back as a single appointment.
  same(mapped(field::Repeat), actual.repeat, withRepeat ? expected.repeat : 0, "repeat");
  same(mapped(field::RecordId), actual.recordId, expected.recordId, "recordId");
  if (!withRepeat || !expected.repeat)
    return;
  same(mapped(field::RepeatType), actual.repeatType, expected.repeatType, "repeatType");
  same(mapped(field::RepeatInterval), actual.repeatInterval, expected.repeatInterval,
       "repeatInterval");
  same(mapped(field::RepeatEndDate), actual.repeatEnd, expected.repeatEnd, "repeatEnd");
  same(
      expected.repeatType == Weekly && mapped(field::WeeklySunday) && mapped(field::WeeklySaturday),
      int{actual.weekDays}, int{expected.weekDays}, "weekDays");
  same(expected.repeatType == MonthlyDay && mapped(field::MonthlyWeekIndex),
       actual.monthlyWeekIndex, expected.monthlyWeekIndex, "monthlyWeekIndex");
}

using RecordMaker = std::function<void(AppointmentRecord&)>;

// A CSV file as an export with these options writes it: the header, then
// one line for each record.
inline std::string WriteCsv(const Options& options, const std::vector<RecordMaker>& makers) {
  std::string bytes;
  CsvFile file;
  file.SetSeparator(options.separator);
  file.SetQuote(options.quote);
  file.SetRemoveLineBreaks(options.exportnocr != 0);
  file.dateWithTime = options.datewithtime;
  file.OpenWrite(std::make_unique<MemoryByteSink>(bytes));
  options.fullformat ? WriteFullHeader(options.mapping, file)
                     : WriteSimpleHeader(options.mapping, file);
  for (const RecordMaker& make : makers) {
    AppointmentRecord record(options);
    make(record);
    options.fullformat ? WriteFullRecord(options.mapping, file, record)
                       : WriteSimpleRecord(options.mapping, file, record);
  }
  file.Finish();
  return bytes;
}

// Reads such a file back as an import with these options does and expects
// the header to be refused and then the records, changed by adjust if given.
inline void ExpectReadBack(const Options& options, const std::string& bytes,
                           const std::vector<RecordMaker>& makers,
                           const RecordMaker& adjust = nullptr) {
  CsvFile file;
  file.SetSeparator(options.separator);
  file.SetQuote(options.quote);
  file.OpenRead(std::make_unique<MemoryByteSource>(bytes));
  AppointmentRecord read(options);
  // The header's "Date" is no date: the import drops such a first line.
  EXPECT_EQ(ReadMappedRecord(options.mapping, file, read), FieldResult::InvalidDate);
  int line = 1;
  for (const RecordMaker& make : makers) {
    AppointmentRecord expected(options);
    make(expected);
    if (adjust)
      adjust(expected);
    read.Reset();
    ++line;
    ASSERT_EQ(ReadMappedRecord(options.mapping, file, read), FieldResult::Ok)
        << "line " << line << " last field \"" << file.GetLastField() << "\" in\n"
        << bytes;
    ExpectSameInFile(expected, read, options.mapping, options.fullformat != 0,
                     "line " + std::to_string(line));
  }
  read.Reset();
  EXPECT_EQ(ReadMappedRecord(options.mapping, file, read), FieldResult::EndOfData);
}

}  // namespace tavir::test_support
