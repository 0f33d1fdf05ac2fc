// What the delimited-text and the calendar file share: records are lines
// ended by CR LF, written through a buffer that goes to the byte sink in
// blocks and read through the line reader; progress counts their bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "formats/AppointmentFile.h"
#include "formats/ByteStream.h"
#include "formats/CsvLineReader.h"

namespace tavir {

class LineFile : public AppointmentFile {
 public:
  // Opens the file (others may read it, not write it) and hands it to the
  // sink or source overload; -1 when it cannot be opened.
  int OpenWrite(const std::string& fileName) override;
  int OpenRead(const std::string& fileName) override;
  // The same over any byte medium (memory in tests).
  virtual void OpenWrite(std::unique_ptr<ByteSink> sink) = 0;
  virtual void OpenRead(std::unique_ptr<ByteSource> source) = 0;

  // Bytes written or read so far, and the length of the file read, divided
  // by 256.
  int GetProgressPos() override;
  int GetProgressMax() override;
  std::string GetLastField() override { return lastField_; }
  void SetLastField(const std::string& text) override { lastField_ = text; }

  static constexpr std::size_t kWriteBlockSize = 64 * 1024;

 protected:
  // Hands the buffer to the sink.
  void WriteOut(ByteSink& sink);
  // Ends reading, or hands what is buffered to the sink and closes it; the
  // sink is let go first, so that a failure is not met twice.
  void CloseFile();
  // Bytes written so far, the buffered ones included.
  virtual std::int64_t BytesWritten() const;

  std::unique_ptr<ByteSink> sink_;
  std::string pending_;  // bytes not yet handed to the sink
  std::int64_t bytesWritten_ = 0;
  std::unique_ptr<CsvLineReader> reader_;
  std::string lastField_;
};

}  // namespace tavir
