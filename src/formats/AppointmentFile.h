// The abstract record-and-field file that every export and import goes
// through. Fields are written and read strictly left to right; reads say
// whether the field was valid, invalid or empty.
#pragma once

#include <cstdint>
#include <string>

#include "formats/FileResults.h"
#include "platform/LocalTime.h"

namespace tavir {

class CalendarFile;

class AppointmentFile {
 public:
  // Releases the file or the automation objects; writes no trailer.
  virtual ~AppointmentFile() = default;

  virtual int OpenWrite(const std::string& fileName) = 0;
  virtual int OpenRead(const std::string& fileName) = 0;
  virtual int Finish() = 0;
  virtual int Close() = 0;
  virtual int EndRecord() = 0;
  virtual RecordResult ReadRecord() = 0;

  virtual WriteResult WriteText(const std::string& text) = 0;
  virtual WriteResult WriteDate(TimeValue value) = 0;
  virtual WriteResult WriteTime(TimeValue value) = 0;
  virtual WriteResult WriteSpan(std::int32_t seconds) = 0;
  virtual WriteResult WriteInt(std::int32_t value) = 0;

  virtual ReadResult ReadText(std::string& text) = 0;
  virtual ReadResult ReadDate(TimeValue& value) = 0;
  virtual ReadResult ReadTime(TimeValue& value) = 0;
  virtual ReadResult ReadSpan(std::int32_t& seconds) = 0;
  // Passes a copy to ReadInt and stores it back; no implementation replaces it.
  virtual ReadResult ReadLong(std::int32_t& value);
  virtual ReadResult ReadInt(std::int32_t& value) = 0;

  virtual int GetLineNumber();
  virtual int GetProgressPos() = 0;
  virtual int GetProgressMax() = 0;
  virtual std::string GetLastField() = 0;
  virtual void SetLastField(const std::string& text) = 0;

  // The calendar writer, which takes whole host appointments instead of
  // fields; none for every other file.
  virtual CalendarFile* AsCalendar() { return nullptr; }

  // Why the last OpenWrite or OpenRead gave -1, in the system's words.
  const std::string& OpenFailure() const { return openFailure_; }

 protected:
  std::int32_t recordCounter = 0;
  std::string openFailure_;
};

}  // namespace tavir
