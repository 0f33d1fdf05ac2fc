// The vCalendar and iCalendar writer: the file operations and the property
// writers. The events themselves are put together in CalendarEvent.cpp.
#include "formats/CalendarFile.h"

#include "formats/CalendarText.h"
#include "formats/CalendarTimes.h"
#include "formats/FileBytes.h"
#include "formats/FileError.h"
#include "formats/LineFolding.h"
#include "formats/QuotedPrintable.h"
#include "platform/CodePage.h"

namespace tavir {

namespace {

constexpr const char* kProductId = "-//Quelmar GmbH//NONSGML TAVIR//EN";
// Only this much of a value is quoted-printable encoded.
constexpr std::size_t kMaxEncodedValue = 39999;

bool IsAscii(std::string_view text) {
  for (const char character : text)
    if (static_cast<unsigned char>(character) >= 0x80)
      return false;
  return true;
}

}  // namespace

CalendarFile::CalendarFile(bool iCalendar) : iCalendar_(iCalendar) {}

CalendarFile::~CalendarFile() {
  try {
    Close();
  } catch (const FileError&) {
    // Nobody is left to tell; Finish and Close report it to those who ask.
  }
}

int CalendarFile::OpenWrite(const std::string& fileName) {
  openFailure_.clear();
  std::unique_ptr<ByteSink> sink = OpenFileForWriting(fileName, openFailure_);
  if (!sink)
    return -1;
  OpenWrite(std::move(sink));
  return 0;
}

void CalendarFile::OpenWrite(std::unique_ptr<ByteSink> sink) {
  sink_ = std::move(sink);
  stamp_.clear();
  WriteHeader();
}

int CalendarFile::OpenRead(const std::string& fileName) {
  openFailure_.clear();
  std::unique_ptr<ByteSource> source = OpenFileForReading(fileName, openFailure_);
  if (!source)
    return -1;
  OpenRead(std::move(source));
  return 0;
}

void CalendarFile::OpenRead(std::unique_ptr<ByteSource> source) {
  reader_ = std::make_unique<CsvLineReader>(std::move(source));
}

void CalendarFile::WriteHeader() {
  WriteProperty("BEGIN", "VCALENDAR");
  WriteProperty("VERSION", IsICalendar() ? "2.0" : "1.0");
  if (IsICalendar())
    WriteProperty("METHOD", "PUBLISH");
  WriteProperty("PRODID", kProductId);
}

int CalendarFile::Finish() {
  WriteProperty("END", "VCALENDAR");
  return Close();
}

int CalendarFile::Close() {
  reader_.reset();
  if (!sink_)
    return 0;
  // Whatever happens, the file is closed once and only once.
  std::unique_ptr<ByteSink> sink = std::move(sink_);
  pending_ += line_;
  line_.clear();
  WriteOut(*sink);
  sink->Close();
  return 0;
}

void CalendarFile::WriteOut(ByteSink& sink) {
  if (pending_.empty())
    return;
  sink.Write(pending_.data(), pending_.size());
  bytesWritten_ += static_cast<std::int64_t>(pending_.size());
  pending_.clear();
}

int CalendarFile::EndRecord() {
  // Readers may limit the length of a line; iCalendar lets us fold it.
  if (IsICalendar())
    AppendFoldedLine(pending_, line_);
  else
    pending_ += line_;
  pending_ += "\r\n";
  line_.clear();
  if (sink_ && pending_.size() >= kWriteBlockSize)
    WriteOut(*sink_);
  ++recordCounter;
  return 0;
}

int CalendarFile::ReadRecord() {
  if (!reader_ || !reader_->ReadLine(currentLine_))
    return -1;
  lastField_.clear();
  ++recordCounter;
  return 0;
}

int CalendarFile::WriteText(const std::string& text) {
  line_ += text;
  return 0;
}

int CalendarFile::WriteDate(TimeValue) {
  return -1;
}
int CalendarFile::WriteTime(TimeValue) {
  return -1;
}
int CalendarFile::WriteSpan(std::int32_t) {
  return -1;
}
int CalendarFile::WriteInt(std::int32_t) {
  return -1;
}

ReadResult CalendarFile::ReadText(std::string& text) {
  text.clear();
  if (!currentLine_.empty()) {
    text.swap(currentLine_);
    lastField_ = text;
  }
  return ReadResult::Valid;
}

ReadResult CalendarFile::ReadDate(TimeValue&) {
  return ReadResult::Invalid;
}
ReadResult CalendarFile::ReadTime(TimeValue&) {
  return ReadResult::Invalid;
}
ReadResult CalendarFile::ReadSpan(std::int32_t&) {
  return ReadResult::Invalid;
}
ReadResult CalendarFile::ReadInt(std::int32_t&) {
  return ReadResult::Invalid;
}

int CalendarFile::GetProgressPos() {
  if (reader_)
    return static_cast<int>(reader_->Position() / 256);
  return static_cast<int>(
      (bytesWritten_ + static_cast<std::int64_t>(pending_.size() + line_.size())) / 256);
}

int CalendarFile::GetProgressMax() {
  if (reader_)
    return static_cast<int>(reader_->Length() / 256);
  return GetProgressPos();
}

int CalendarFile::WriteProperty(const std::string& name, const std::string& value) {
  // A value is written whole, however long: cutting it would lose the end of
  // a note, and an iCalendar line is folded anyway.
  WriteText(name);
  line_ += ':';
  AppendLineBreaksEscaped(line_, value);
  return EndRecord();
}

int CalendarFile::WriteEncodedProperty(const std::string& name, const std::string& value) {
  WriteText(name);
  // Without the charset a reader takes the bytes for its own code page.
  const std::string_view encoded = std::string_view(value).substr(0, kMaxEncodedValue);
  if (AnsiCodePageIsUtf8() && !IsAscii(encoded))
    WriteText(";CHARSET=UTF-8");
  WriteText(";ENCODING=QUOTED-PRINTABLE:");
  WriteText(EncodeQuotedPrintable(encoded));
  return EndRecord();
}

int CalendarFile::WritePlainProperty(const std::string& name, const std::string& value) {
  line_ += name;
  line_ += ':';
  line_ += value;
  return EndRecord();
}

int CalendarFile::WriteDateTimeProperty(const std::string& name, TimeValue value) {
  return WritePlainProperty(name, FormatUtcDateTime(value));
}

int CalendarFile::WriteDateProperty(const std::string& name, TimeValue value) {
  return WritePlainProperty(name + ";VALUE=DATE", FormatLocalDate(value));
}

void CalendarFile::SetUserName(const std::string& ansiName) {
  userNameUtf8_ = AnsiToUtf8(ansiName);
}

int CalendarFile::WriteRepeatRule(const std::string& rule) {
  if (IsICalendar() && rule.empty())
    return 0;
  return WriteProperty("RRULE", rule);
}

}  // namespace tavir
