// The appointment file for delimited text: one record a line ended by CR LF,
// every field quoted with the quote option and joined by the separator
// option, dates and times in the user's regional forms.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "formats/AppointmentFile.h"
#include "formats/ByteStream.h"
#include "formats/CsvLineReader.h"
#include "formats/CsvTokenizer.h"
#include "formats/TextEncoding.h"

namespace tavir {

class CsvFile : public AppointmentFile {
 public:
  CsvFile();
  // Writes what is still buffered and closes; failures are dropped here, so
  // call Finish or Close to learn about them.
  ~CsvFile() override;

  void SetSeparator(const std::string& separator);
  void SetQuote(const std::string& quote);
  void SetRemoveLineBreaks(bool remove) { removeLineBreaks_ = remove; }
  // How the bytes of a file read are taken; none (the default) finds out line
  // by line: under a UTF-8 code page a line that is not valid UTF-8 is read as
  // Windows-1252. A file that starts with the UTF-8 byte order mark is UTF-8.
  void SetSourceEncoding(std::optional<TextEncoding> encoding) { sourceEncoding_ = encoding; }
  // Lines read so far that were taken as Windows-1252 without being asked to.
  int LinesReadAsWindows1252() const { return linesReadAsWindows1252_; }
  // Time fields carry the date in front; set by the factory.
  std::int32_t dateWithTime = 0;

  // Creates the file, or empties an existing one; others may read it meanwhile
  // but not write it. 0, or -1 when it cannot be opened.
  int OpenWrite(const std::string& fileName) override;
  int OpenRead(const std::string& fileName) override;
  // The same over any byte medium (memory in tests).
  void OpenWrite(std::unique_ptr<ByteSink> sink);
  void OpenRead(std::unique_ptr<ByteSource> source);

  int Finish() override;
  // Writes out what is buffered and closes; throws FileError when that fails.
  int Close() override;
  // Records are written out in blocks from here; throws FileError.
  int EndRecord() override;
  // Throws FileError when the file cannot be read.
  RecordResult ReadRecord() override;

  WriteResult WriteText(const std::string& text) override;
  WriteResult WriteDate(TimeValue value) override;
  WriteResult WriteTime(TimeValue value) override;
  WriteResult WriteSpan(std::int32_t seconds) override;
  WriteResult WriteInt(std::int32_t value) override;

  ReadResult ReadText(std::string& text) override;
  ReadResult ReadDate(TimeValue& value) override;
  ReadResult ReadTime(TimeValue& value) override;
  ReadResult ReadSpan(std::int32_t& seconds) override;
  ReadResult ReadInt(std::int32_t& value) override;

  int GetProgressPos() override;
  int GetProgressMax() override;
  std::string GetLastField() override { return lastField_; }
  void SetLastField(const std::string& text) override { lastField_ = text; }

  static constexpr std::size_t kWriteBlockSize = 64 * 1024;

 private:
  void WriteOut();
  // The line read, in the ANSI code page.
  void ConvertLine();

  std::string quote_ = "\"";
  std::string separator_ = ",";
  bool removeLineBreaks_ = false;
  bool atLineStart_ = true;
  std::unique_ptr<ByteSink> sink_;
  std::string pending_;  // written fields not yet handed to the sink
  std::int64_t bytesWritten_ = 0;
  std::unique_ptr<CsvLineReader> reader_;
  std::string line_;  // the current record; the tokenizer consumes it
  CsvTokenizer tokenizer_;
  std::string lastField_;
  std::optional<TextEncoding> sourceEncoding_;
  bool utf8ByMark_ = false;
  int linesReadAsWindows1252_ = 0;
};

}  // namespace tavir
