// The vCalendar 1.0 (".vcs") and iCalendar 2.0 (".ics") writer. An appointment
// is written whole by WriteAppointment; the field operations of
// AppointmentFile put bare texts on lines between the header and the trailer.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "formats/LineFile.h"
#include "host/DesktopInterfaces.h"

namespace tavir {

class AppointmentRecord;

class CalendarFile : public LineFile {
 public:
  explicit CalendarFile(bool iCalendar);
  // Writes out what is still buffered (no trailer) and closes; failures are
  // dropped here, so call Finish or Close to learn about them.
  ~CalendarFile() override;

  CalendarFile* AsCalendar() override { return this; }

  using LineFile::OpenRead;
  using LineFile::OpenWrite;
  // Writes the header.
  void OpenWrite(std::unique_ptr<ByteSink> sink) override;
  void OpenRead(std::unique_ptr<ByteSource> source) override;

  // Writes END:VCALENDAR and closes.
  int Finish() override;
  int Close() override;
  int EndRecord() override;
  // Lines as a CSV file has them (ended by CR LF); EndOfData at the end.
  RecordResult ReadRecord() override;

  // The text's bytes as they are, no separator, quote or escaping.
  WriteResult WriteText(const std::string& text) override;
  // A calendar file has no typed fields: these write nothing: NotWritten.
  WriteResult WriteDate(TimeValue value) override;
  WriteResult WriteTime(TimeValue value) override;
  WriteResult WriteSpan(std::int32_t seconds) override;
  WriteResult WriteInt(std::int32_t value) override;

  // Hands out the whole rest of the current line.
  ReadResult ReadText(std::string& text) override;
  ReadResult ReadDate(TimeValue& value) override;
  ReadResult ReadTime(TimeValue& value) override;
  ReadResult ReadSpan(std::int32_t& seconds) override;
  ReadResult ReadInt(std::int32_t& value) override;

  // Writes one VEVENT for the record. The host appointment is read
  // for the repeat rule only, and only when the record repeats and is not an
  // expanded occurrence; the caller keeps its reference.
  //
  // expandedOccurrence: the simple export writes a repeating appointment once
  // per occurrence, with the record's date moved to that occurrence. Such an
  // event carries no RRULE (a calendar would otherwise show the whole series
  // once per occurrence), and in an iCalendar file its UID holds the
  // occurrence's date. The full export writes each appointment once, with
  // expandedOccurrence false, so a repeating one keeps its RRULE.
  //
  // Throws ComError when a host call fails (nothing of the event is written
  // then), FileError when writing fails.
  void WriteAppointment(const AppointmentRecord& record, IDesktopAppointment* appointment,
                        bool expandedOccurrence);

  // NAME ":" value with its line breaks as \n, on a line of its own; in an
  // iCalendar file a long line is folded.
  void WriteProperty(const std::string& name, const std::string& value);
  // NAME ";ENCODING=QUOTED-PRINTABLE:" and the value's first 39,999 bytes,
  // quoted-printable (vCalendar).
  void WriteEncodedProperty(const std::string& name, const std::string& value);
  // The moment in UTC, "%Y%m%dT%H%M00Z".
  void WriteDateTimeProperty(const std::string& name, TimeValue value);
  // NAME ";VALUE=DATE:" and the local date, "%Y%m%d".
  void WriteDateProperty(const std::string& name, TimeValue value);
  // RRULE with the given rule (BuildRepeatRule); an iCalendar file gets no
  // RRULE line for an empty rule, which no reader would accept.
  void WriteRepeatRule(const std::string& rule);

  bool IsICalendar() const { return iCalendar_; }
  // The Datebook's user (ANSI), whose name goes into the events' UIDs.
  void SetUserName(const std::string& ansiName);

 private:
  // A text of the appointment: quoted-printable in a vCalendar file; in an
  // iCalendar file UTF-8 and escaped as a TEXT value.
  void WriteTextProperty(const std::string& name, const std::string& ansiText);
  void WriteStartAndEnd(const AppointmentRecord& record, bool floating);
  void WriteAlarm(const AppointmentRecord& record);
  // RDATE with the start (iCalendar, floating or a DATE as DTSTART).
  void WriteStartDay(const AppointmentRecord& record);
  // EXDATE with the days in the value type of DTSTART.
  void WriteExceptionDays(const AppointmentRecord& record, const std::vector<TimeValue>& days);
  void WriteHeader();
  std::int64_t BytesWritten() const override;
  // NAME ":" value, for values that need no escaping (dates and times).
  void WritePlainProperty(const std::string& name, const std::string& value);

  std::string line_;         // the line being written
  std::string currentLine_;  // the unread rest of the line ReadRecord loaded
  bool iCalendar_;
  std::string userNameUtf8_;
  // DTSTAMP's value, taken when the file's first event is written: one moment
  // for the whole file.
  std::string stamp_;
};

}  // namespace tavir
