// Appointment records for the CSV tests of the engine (the examples of the
// file format's documentation among them), written to CSV and read back.
#pragma once

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

inline void SetRepeat(AppointmentRecord& record, std::int32_t type, std::int32_t interval,
                      TimeValue end = 0) {
  record.repeat = 1;
  record.repeatType = type;
  record.repeatInterval = interval;
  record.repeatEnd = end;
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
  SetRepeat(record, Weekly, 1);
  record.weekDays = kWeekdayBit[1] | kWeekdayBit[3];
}

using RecordMaker = std::function<void(AppointmentRecord&)>;

// What an export with these options writes through write.
inline std::string WrittenCsv(const Options& options, const std::function<void(CsvFile&)>& write) {
  std::string bytes;
  CsvFile file;
  file.SetSeparator(options.separator);
  file.SetQuote(options.quote);
  file.SetRemoveLineBreaks(options.exportnocr != 0);
  file.dateWithTime = options.datewithtime;
  file.OpenWrite(std::make_unique<MemoryByteSink>(bytes));
  write(file);
  file.Finish();
  return bytes;
}

// The line of one record: what the file carries of it for the mapped fields.
inline std::string RecordLine(const Options& options, const AppointmentRecord& record) {
  return WrittenCsv(options, [&](CsvFile& file) {
    options.fullformat ? WriteFullRecord(options.mapping, file, record)
                       : WriteSimpleRecord(options.mapping, file, record);
  });
}

// A CSV file as an export with these options writes it: the header, then
// one line for each record.
inline std::string WriteCsv(const Options& options, const std::vector<RecordMaker>& makers) {
  return WrittenCsv(options, [&](CsvFile& file) {
    options.fullformat ? WriteFullHeader(options.mapping, file)
                       : WriteSimpleHeader(options.mapping, file);
    for (const RecordMaker& make : makers) {
      AppointmentRecord record(options);
      make(record);
      options.fullformat ? WriteFullRecord(options.mapping, file, record)
                         : WriteSimpleRecord(options.mapping, file, record);
    }
  });
}

// Reads such a file back as an import with these options does and expects
// the header to be refused and then the records, changed by adjust if given:
// a record read back must write the same line again, so that every mapped
// field counts, each as the file shows it.
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
    // Without its rule a repeating record reads back as a single appointment.
    if (!options.fullformat)
      expected.repeat = 0;
    read.Reset();
    ++line;
    ASSERT_EQ(ReadMappedRecord(options.mapping, file, read), FieldResult::Ok)
        << "line " << line << " last field \"" << file.GetLastField() << "\" in\n"
        << bytes;
    EXPECT_EQ(RecordLine(options, read), RecordLine(options, expected)) << "line " << line;
  }
  read.Reset();
  EXPECT_EQ(ReadMappedRecord(options.mapping, file, read), FieldResult::EndOfData);
}

}  // namespace tavir::test_support
