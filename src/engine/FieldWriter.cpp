// Writing records and headers column by column along the field mapping.
#include "engine/FieldConversion.h"
#include "engine/FieldVocabulary.h"
#include "model/AppointmentRecord.h"

namespace tavir {

void WriteField(AppointmentFile& file, const AppointmentRecord& record, FieldId field) {
  const std::string empty;
  switch (field) {
    case field::Date: file.WriteDate(record.date); break;
    case field::Untimed: file.WriteText(FlagText(record.untimed)); break;
    case field::StartTime:
      record.untimed ? file.WriteText(empty) : file.WriteTime(record.GetStart());
      break;
    case field::EndTime:
      record.untimed ? file.WriteText(empty) : file.WriteTime(record.GetEnd());
      break;
    case field::Private: file.WriteText(FlagText(record.isPrivate)); break;
    case field::Text: file.WriteText(record.text); break;
    case field::Note: file.WriteText(record.note); break;
    case field::Alarm: file.WriteText(FlagText(record.alarm)); break;
    case field::AlarmTime:
      record.alarm ? file.WriteInt(record.alarmAmount) : file.WriteText(empty);
      break;
    case field::AlarmUnit:
      file.WriteText(record.alarm ? AlarmUnitText(record.alarmUnit) : "");
      break;
    case field::Category: file.WriteText(record.category); break;
    case field::Location: file.WriteText(record.location); break;
    case field::Repeat: file.WriteText(FlagText(record.repeat)); break;
    case field::TimeSpan:
      record.untimed ? file.WriteText(empty) : file.WriteSpan(record.timeSpan);
      break;
    case field::RecordId: file.WriteText(std::to_string(record.recordId)); break;
    case field::RepeatType: file.WriteText(RepeatTypeText(record.repeatType)); break;
    case field::RepeatInterval: file.WriteInt(record.repeatInterval); break;
    case field::RepeatEndDate:
      record.repeatEnd ? file.WriteDate(record.repeatEnd) : file.WriteText(empty);
      break;
    // Filled by the full export from the host's occurrences; else empty.
    case field::Exceptions:
      file.WriteText(record.exceptions);
      break;
    case field::MonthlyWeekIndex:
      record.repeatType == MonthlyDay ? file.WriteInt(record.monthlyWeekIndex)
                                      : file.WriteText(empty);
      break;
    case field::Ignored: file.WriteText(empty); break;
    default:
      if (field >= field::WeeklySunday && field <= field::WeeklySaturday) {
        const bool set = record.repeatType == Weekly &&
                         (record.weekDays & kWeekdayBit[field - field::WeeklySunday]) != 0;
        file.WriteText(FlagText(set));
      }
      // Fields without a value write no column at all.
      break;
  }
}

void WriteSimpleRecord(const FieldMapping& mapping, AppointmentFile& file,
                       const AppointmentRecord& record) {
  for (const FieldId field : mapping.simpleFields) WriteField(file, record, field);
  file.EndRecord();
}

void WriteFullRecord(const FieldMapping& mapping, AppointmentFile& file,
                     const AppointmentRecord& record) {
  for (const FieldId field : mapping.simpleFields) WriteField(file, record, field);
  if (record.repeat) {
    for (const FieldId field : mapping.repeatFields) WriteField(file, record, field);
  }
  file.EndRecord();
}

namespace {

// The header keeps to the columns the records have, so names stay above their values.
void WriteNames(const std::vector<FieldId>& fields, AppointmentFile& file) {
  for (const FieldId field : fields) {
    if (HasColumn(field)) file.WriteText(FieldName(field));
  }
}

}  // namespace

void WriteSimpleHeader(const FieldMapping& mapping, AppointmentFile& file) {
  WriteNames(mapping.simpleFields, file);
  file.EndRecord();
}

void WriteFullHeader(const FieldMapping& mapping, AppointmentFile& file) {
  WriteNames(mapping.simpleFields, file);
  WriteNames(mapping.repeatFields, file);
  file.EndRecord();
}

}  // namespace tavir
