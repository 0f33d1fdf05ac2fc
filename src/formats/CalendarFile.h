// The vCalendar 1.0 (".vcs") and iCalendar 2.0 (".ics") writer. An appointment
// is written whole by WriteAppointment; the field operations of
// AppointmentFile put bare texts on lines between the header and the trailer.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "formats/AppointmentFile.h"
#include "formats/ByteStream.h"
#include "formats/CsvLineReader.h"
#include "host/DesktopInterfaces.h"

namespace tavir {

class AppointmentRecord;

class CalendarFile : public AppointmentFile {
 public:
  explicit CalendarFile(bool iCalendar);
  // Writes out what is still buffered (no trailer) and closes; failures are
  // dropped here, so call Finish or Close to learn about them.
  ~CalendarFile() override;

  CalendarFile* AsCalendar() override { return this; }

  // Opens the file (others may read it, not write it) and writes the header;
  // -1 when it cannot be opened.
  int OpenWrite(const std::string& fileName) override;
  int OpenRead(const std::string& fileName) override;
  // The same on a given sink or source (tests write to and read from memory).
  void OpenWrite(std::unique_ptr<ByteSink> sink);
  void OpenRead(std::unique_ptr<ByteSource> source);

  // Writes END:VCALENDAR and closes.
  int Finish() override;
  int Close() override;
  int EndRecord() override;
  // Lines as a CSV file has them (ended by CR LF); -1 at the end.
  int ReadRecord() override;

  // The text's bytes as they are, no separator, quote or escaping.
  int WriteText(const std::string& text) override;
  // A calendar file has no typed fields: these write nothing and return -1.
  int WriteDate(TimeValue value) override;
  int WriteTime(TimeValue value) override;
  int WriteSpan(std::int32_t seconds) override;
  int WriteInt(std::int32_t value) override;

  // Hands out the whole rest of the current line.
  ReadResult ReadText(std::string& text) override;
  ReadResult ReadDate(TimeValue& value) override;
  ReadResult ReadTime(TimeValue& value) override;
  ReadResult ReadSpan(std::int32_t& seconds) override;
  ReadResult ReadInt(std::int32_t& value) override;

  // Bytes written or read so far, and the length of the file, divided by 256.
  int GetProgressPos() override;
  int GetProgressMax() override;
  std::string GetLastField() override { return lastField_; }
  void SetLastField(const std::string& text) override { lastField_ = text; }

  static constexpr std::size_t kWriteBlockSize = 64 * 1024;

  // Writes one VEVENT for the record; returns 1. The host appointment is read
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
  int WriteAppointment(const AppointmentRecord& record, IDesktopAppointment* appointment,
                       bool expandedOccurrence);

  // NAME ":" value with its line breaks as \n, on a line of its own; in an
  // iCalendar file a long line is folded. Returns EndRecord's result.
  int WriteProperty(const std::string& name, const std::string& value);
  // NAME ";ENCODING=QUOTED-PRINTABLE:" and the value's first 39,999 bytes,
  // quoted-printable (vCalendar).
  int WriteEncodedProperty(const std::string& name, const std::string& value);
  // The moment in UTC, "%Y%m%dT%H%M00Z".
  int WriteDateTimeProperty(const std::string& name, TimeValue value);
  // NAME ";VALUE=DATE:" and the local date, "%Y%m%d".
  int WriteDateProperty(const std::string& name, TimeValue value);
  // RRULE with the given rule (BuildRepeatRule); an iCalendar file gets no
  // RRULE line for an empty rule, which no reader would accept.
  int WriteRepeatRule(const std::string& rule);

  bool IsICalendar() const { return iCalendar_; }
  // The Datebook's user (ANSI), whose name goes into the events' UIDs.
  void SetUserName(const std::string& ansiName);

 private:
  // A text of the appointment: quoted-printable in a vCalendar file; in an
  // iCalendar file UTF-8 and escaped as a TEXT value.
  int WriteTextProperty(const std::string& name, const std::string& ansiText);
  void WriteStartAndEnd(const AppointmentRecord& record, bool floating);
  void WriteAlarm(const AppointmentRecord& record);
  // RDATE with the start (iCalendar, floating or a DATE as DTSTART).
  void WriteStartDay(const AppointmentRecord& record);
  // EXDATE with the days in the value type of DTSTART.
  void WriteExceptionDays(const AppointmentRecord& record, const std::vector<TimeValue>& days);
  void WriteHeader();
  // NAME ":" value, for values that need no escaping (dates and times).
  int WritePlainProperty(const std::string& name, const std::string& value);
  void WriteOut(ByteSink& sink);

  std::unique_ptr<ByteSink> sink_;
  std::string pending_;  // bytes not yet handed to the sink
  std::int64_t bytesWritten_ = 0;
  std::string line_;  // the line being written
  std::unique_ptr<CsvLineReader> reader_;
  std::string currentLine_;  // the unread rest of the line ReadRecord loaded
  std::string lastField_;
  bool iCalendar_;
  std::string userNameUtf8_;
  // DTSTAMP's value, taken when the file's first event is written: one moment
  // for the whole file.
  std::string stamp_;
};

}  // namespace tavir
