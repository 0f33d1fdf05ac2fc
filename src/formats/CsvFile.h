// The appointment file for delimited text: one record a line ended by CR LF,
// every field quoted with the quote option and joined by the separator
// option, dates and times in the user's regional forms.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "formats/CsvTokenizer.h"
#include "formats/LineFile.h"
#include "formats/TextEncoding.h"

namespace tavir {

class CsvFile : public LineFile {
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

  using LineFile::OpenRead;
  using LineFile::OpenWrite;
  void OpenWrite(std::unique_ptr<ByteSink> sink) override;
  void OpenRead(std::unique_ptr<ByteSource> source) override;

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

 private:
  // Hands a full block to the sink; throws FileError when none is open.
  void WriteFullBlock();
  // The line read, in the ANSI code page.
  void ConvertLine();

  std::string quote_ = "\"";
  std::string separator_ = ",";
  bool removeLineBreaks_ = false;
  bool atLineStart_ = true;
  std::string line_;  // the current record; the tokenizer consumes it
  CsvTokenizer tokenizer_;
  std::optional<TextEncoding> sourceEncoding_;
  bool utf8ByMark_ = false;
  int linesReadAsWindows1252_ = 0;
};

}  // namespace tavir
