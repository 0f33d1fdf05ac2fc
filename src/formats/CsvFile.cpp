// CsvFile: writing through a block buffer, reading through the line reader
// and the field tokenizer; typed values through their text forms.
#include "formats/CsvFile.h"

#include "formats/CsvEscape.h"
#include "formats/FieldTextForms.h"
#include "formats/FieldTextParsing.h"
#include "formats/FileBytes.h"
#include "formats/FileError.h"
#include "model/AppointmentRecord.h"
#include "platform/CodePage.h"

namespace tavir {
CsvFile::CsvFile() : tokenizer_(quote_, separator_) {}

CsvFile::~CsvFile() {
  try {
    Close();
  } catch (const FileError&) {
    // Nobody is left to tell; Finish and Close report it.
  }
}

void CsvFile::SetSeparator(const std::string& separator) {
  separator_ = separator;
  tokenizer_ = CsvTokenizer(quote_, separator_);
  tokenizer_.Start(line_);
}

void CsvFile::SetQuote(const std::string& quote) {
  quote_ = quote;
  tokenizer_ = CsvTokenizer(quote_, separator_);
  tokenizer_.Start(line_);
}

void CsvFile::OpenWrite(std::unique_ptr<ByteSink> sink) {
  sink_ = std::move(sink);
  pending_.clear();
  pending_.reserve(kWriteBlockSize + kMaxEscapedField);
  bytesWritten_ = 0;
  atLineStart_ = true;
}

void CsvFile::OpenRead(std::unique_ptr<ByteSource> source) {
  reader_ = std::make_unique<CsvLineReader>(std::move(source));
  reader_->AllowBareLineEnds(OptionByte(quote_), OptionByte(separator_));
  utf8ByMark_ = false;
  linesReadAsWindows1252_ = 0;
  line_.clear();
  tokenizer_.Start(line_);
  atLineStart_ = true;
}

int CsvFile::Finish() {
  return Close();
}

int CsvFile::Close() {
  CloseFile();
  return 0;
}

void CsvFile::WriteFullBlock() {
  if (pending_.size() < kWriteBlockSize)
    return;
  if (!sink_)
    throw FileError("The file is not open for writing.");
  WriteOut(*sink_);
}

int CsvFile::EndRecord() {
  pending_ += "\r\n";
  atLineStart_ = true;
  ++recordCounter;
  WriteFullBlock();
  return 0;
}

RecordResult CsvFile::ReadRecord() {
  if (!reader_ || !reader_->ReadLine(line_))
    return RecordResult::EndOfData;
  if (recordCounter == 0 && line_.starts_with(kUtf8Bom)) {
    // Notepad and Excel mark UTF-8 files so; the mark is no part of the data.
    line_.erase(0, kUtf8Bom.size());
    utf8ByMark_ = true;
  }
  ConvertLine();
  tokenizer_.Start(line_);
  lastField_.clear();
  ++recordCounter;
  return RecordResult::Read;
}

void CsvFile::ConvertLine() {
  std::optional<TextEncoding> from = sourceEncoding_;
  if (!from && utf8ByMark_)
    from = TextEncoding::Utf8;
  if (!from && AnsiCodePageIsUtf8() && !IsValidUtf8(line_)) {
    // What Excel saves on a western Windows, brought to a UTF-8 system.
    from = TextEncoding::Windows1252;
    ++linesReadAsWindows1252_;
  }
  if (!from || *from == TextEncoding::Ansi)
    return;
  if (*from == TextEncoding::Utf8 && AnsiCodePageIsUtf8())
    return;
  line_ = WideToAnsi(DecodeText(line_, *from));
}

WriteResult CsvFile::WriteText(const std::string& text) {
  if (!atLineStart_)
    pending_ += separator_;
  pending_ += quote_;
  AppendEscapedField(pending_, text, OptionByte(quote_), removeLineBreaks_);
  pending_ += quote_;
  atLineStart_ = false;
  WriteFullBlock();
  return WriteResult::Written;
}

WriteResult CsvFile::WriteDate(TimeValue value) {
  return WriteText(FormatDateText(value));
}

WriteResult CsvFile::WriteTime(TimeValue value) {
  return WriteText(TimeFieldText(value, dateWithTime != 0));
}

WriteResult CsvFile::WriteSpan(std::int32_t seconds) {
  return WriteText(SpanFieldText(seconds));
}

WriteResult CsvFile::WriteInt(std::int32_t value) {
  return WriteText(IntFieldText(value));
}

ReadResult CsvFile::ReadText(std::string& text) {
  // A line already used up leaves the field read last as it was.
  if (tokenizer_.NextField(text))
    lastField_ = text;
  return ReadResult::Valid;
}

ReadResult CsvFile::ReadDate(TimeValue& value) {
  std::string text;
  ReadText(text);
  return ParseDateField(text, value);
}

ReadResult CsvFile::ReadTime(TimeValue& value) {
  std::string text;
  ReadText(text);
  return ParseTimeField(text, value);
}

ReadResult CsvFile::ReadSpan(std::int32_t& seconds) {
  std::string text;
  ReadText(text);
  return ParseSpanField(text, seconds);
}

ReadResult CsvFile::ReadInt(std::int32_t& value) {
  std::string text;
  ReadText(text);
  return ParseIntField(text, value);
}

}  // namespace tavir
