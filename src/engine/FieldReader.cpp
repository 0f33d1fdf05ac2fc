// Reading one file record into an AppointmentRecord along the field mapping,
// with the checks of an import.
#include <limits>

#include "engine/FieldConversion.h"
#include "engine/FieldVocabulary.h"
#include "formats/FieldTextParsing.h"
#include "model/AppointmentRecord.h"
#include "model/Options.h"
#include "model/TextTrim.h"
#include "platform/Locale.h"

namespace tavir {
namespace {

std::string ReadTrimmed(AppointmentFile& file) {
  std::string text;
  file.ReadText(text);
  return TrimWhiteSpace(text);
}

std::int32_t ReadFlag(AppointmentFile& file) {
  return ReadTrimmed(file).empty() ? 0 : 1;
}

// Empty unsets the time; anything else that is not a time is the error.
FieldResult ReadTimeOfDay(AppointmentFile& file, TimeValue& time, FieldResult error) {
  TimeValue value = 0;
  const ReadResult result = file.ReadTime(value);
  if (result == ReadResult::Valid) {
    time = value;
  } else if (result == ReadResult::Empty) {
    time = 0;
  } else {
    return error;
  }
  return FieldResult::Ok;
}

FieldResult ReadAlarmUnit(AppointmentFile& file, AppointmentRecord& record) {
  const std::string unit = ReadTrimmed(file);
  if (unit.empty()) {
    record.alarm = 0;
    return FieldResult::Ok;
  }
  if (unit.size() == 1) {
    switch (unit[0]) {
      case 'd':
      case 'D':
        record.alarmUnit = Days;
        return FieldResult::Ok;
      case 'h':
      case 'H':
        record.alarmUnit = Hours;
        return FieldResult::Ok;
      case 'm':
      case 'M':
        record.alarmUnit = Minutes;
        return FieldResult::Ok;
      default:
        break;
    }
  }
  return FieldResult::InvalidAlarmUnit;
}

FieldResult ReadRepeatEnd(AppointmentFile& file, AppointmentRecord& record) {
  TimeValue value = 0;
  const ReadResult result = file.ReadDate(value);
  if (result == ReadResult::Empty) {
    record.repeatEnd = 0;
    return FieldResult::Ok;
  }
  if (result != ReadResult::Valid) {
    // A readable date after the Datebook's last year ends no occurrence the
    // Datebook can hold: it is a repetition without end, not a faulty record.
    const std::optional<ParsedDateTime> parsed = ParseDateTime(TrimWhiteSpace(file.GetLastField()));
    if (parsed && FileYear(parsed->year) < 0) {
      record.repeatEnd = 0;
      return FieldResult::Ok;
    }
    return FieldResult::InvalidRepeatEndDate;
  }
  // The last day the Datebook knows stands for a repetition without end.
  const LocalFields day = SplitLocal(value);
  const bool noEnd =
      day.year > kLastFileYear || (day.year == kLastFileYear && day.month == 12 && day.day == 31);
  record.repeatEnd = noEnd ? 0 : value;
  return FieldResult::Ok;
}

// Start plus a length read from a file or the options, held to the range of
// a TimeValue instead of wrapping.
TimeValue AddSeconds(TimeValue start, std::int64_t seconds) {
  const std::int64_t end = std::int64_t{start} + seconds;
  if (end > std::numeric_limits<TimeValue>::max())
    return std::numeric_limits<TimeValue>::max();
  if (end < std::numeric_limits<TimeValue>::min())
    return std::numeric_limits<TimeValue>::min();
  return static_cast<TimeValue>(end);
}

// A repeating record's rule. A simple export keeps "x" in "Repeat" for each
// occurrence it writes but has no rule columns: without the rule (columns
// not read in the simple format, not mapped, or all empty) the record is one
// single appointment, so that such a file imports back as it was written.
FieldResult ReadRepeatFields(const FieldMapping& mapping, AppointmentFile& file,
                             AppointmentRecord& record) {
  if (!mapping.GetOptions().fullformat || mapping.repeatFields.empty()) {
    record.repeat = 0;
    return FieldResult::Ok;
  }
  FieldResult firstFault = FieldResult::Ok;
  std::string faultText;
  bool anyText = false;
  for (const FieldId field : mapping.repeatFields) {
    // Every column is looked at, so that a fault counts only when the rule
    // columns are not all empty.
    const std::string before = file.GetLastField();
    file.SetLastField(std::string());
    const FieldResult result = ReadField(file, record, field);
    const std::string text = file.GetLastField();
    if (result != FieldResult::Ok && firstFault == FieldResult::Ok) {
      firstFault = result;
      faultText = text;
    }
    if (text.empty())
      file.SetLastField(before);
    else if (field != field::Ignored && !TrimWhiteSpace(text).empty())
      anyText = true;
  }
  if (!anyText) {
    record.repeat = 0;
    return FieldResult::Ok;
  }
  // The error report quotes the faulty field, not the last column.
  if (firstFault != FieldResult::Ok)
    file.SetLastField(faultText);
  return firstFault;
}

}  // namespace

FieldResult ReadField(AppointmentFile& file, AppointmentRecord& record, FieldId field) {
  switch (field) {
    case field::Date: {
      TimeValue value = 0;
      const ReadResult result = file.ReadDate(value);
      if (result == ReadResult::Empty)
        return FieldResult::EndOfData;
      if (result != ReadResult::Valid)
        return FieldResult::InvalidDate;
      record.date = value;
      return FieldResult::Ok;
    }
    case field::Untimed:
      record.untimed = ReadFlag(file);
      return FieldResult::Ok;
    case field::StartTime:
      return ReadTimeOfDay(file, record.startTime, FieldResult::InvalidStartTime);
    case field::EndTime:
      return ReadTimeOfDay(file, record.endTime, FieldResult::InvalidEndTime);
    case field::Private:
      record.isPrivate = ReadFlag(file);
      return FieldResult::Ok;
    case field::Text: {
      std::string text;
      file.ReadText(text);
      record.text = ExpandLineBreaks(text);
      return record.text.empty() ? FieldResult::NoAppointmentText : FieldResult::Ok;
    }
    case field::Note: {
      std::string text;
      file.ReadText(text);
      record.note = ExpandLineBreaks(text);
      return FieldResult::Ok;
    }
    case field::Alarm:
      record.alarm = ReadFlag(file);
      return FieldResult::Ok;
    case field::AlarmTime:
      return file.ReadLong(record.alarmAmount) == ReadResult::Invalid
                 ? FieldResult::InvalidAlarmTime
                 : FieldResult::Ok;
    case field::AlarmUnit:
      return ReadAlarmUnit(file, record);
    case field::Category:
      record.category = ReadTrimmed(file);
      return FieldResult::Ok;
    case field::Location:
      record.location = ExpandLineBreaks(ReadTrimmed(file));
      return FieldResult::Ok;
    case field::Repeat:
      record.repeat = ReadFlag(file);
      return FieldResult::Ok;
    case field::TimeSpan: {
      std::int32_t seconds = 0;
      const ReadResult result = file.ReadSpan(seconds);
      if (result == ReadResult::Valid) {
        record.timeSpan = seconds;
      } else if (result == ReadResult::Empty) {
        record.untimed = 1;
      } else {
        return FieldResult::InvalidEndTime;
      }
      return FieldResult::Ok;
    }
    case field::RecordId:
      return file.ReadInt(record.recordId) == ReadResult::Invalid ? FieldResult::InvalidId
                                                                  : FieldResult::Ok;
    case field::RepeatType: {
      // An empty type keeps the default (daily); an unknown one is a fault.
      const std::string name = ReadTrimmed(file);
      if (name.empty() || record.SetRepeatTypeByName(name))
        return FieldResult::Ok;
      return FieldResult::InvalidRepeatType;
    }
    case field::RepeatInterval:
      if (file.ReadLong(record.repeatInterval) == ReadResult::Invalid || record.repeatInterval < 1)
        return FieldResult::InvalidRepeatInterval;
      return FieldResult::Ok;
    case field::RepeatEndDate:
      return ReadRepeatEnd(file, record);
    case field::Exceptions:
      file.ReadText(record.exceptions);
      return FieldResult::Ok;
    case field::MonthlyWeekIndex:
      return file.ReadLong(record.monthlyWeekIndex) == ReadResult::Invalid
                 ? FieldResult::InvalidWeekIndex
                 : FieldResult::Ok;
    case field::Ignored: {
      std::string dropped;
      file.ReadText(dropped);
      return FieldResult::Ok;
    }
    default:
      if (field >= field::WeeklySunday && field <= field::WeeklySaturday) {
        if (!ReadTrimmed(file).empty())
          record.weekDays |= kWeekdayBit[field - field::WeeklySunday];
      }
      // Fields without a value have no column to read.
      return FieldResult::Ok;
  }
}

FieldResult ReadMappedRecord(const FieldMapping& mapping, AppointmentFile& file,
                             AppointmentRecord& record) {
  if (file.ReadRecord() == RecordResult::EndOfData)
    return FieldResult::EndOfData;
  for (const FieldId field : mapping.simpleFields) {
    if (const FieldResult result = ReadField(file, record, field); result != FieldResult::Ok)
      return result;
  }
  const Options& options = mapping.GetOptions();
  if (!record.untimed && record.startTime != 0 && record.endTime == 0)
    record.endTime = AddSeconds(record.startTime, std::int64_t{options.defaultapptlength} * 60);
  if (record.timeSpan != 0) {
    record.endTime = AddSeconds(record.startTime, record.timeSpan);
    record.untimed = 0;
  }
  if (!record.untimed) {
    if (record.startTime == 0)
      return FieldResult::InvalidStartTime;
    if (record.endTime == 0)
      return FieldResult::InvalidEndTime;
  }
  if (record.repeat)
    return ReadRepeatFields(mapping, file, record);
  return FieldResult::Ok;
}

}  // namespace tavir
