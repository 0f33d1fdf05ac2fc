// Splits a byte source into the lines of a CSV file: a line ends at CR LF
// only (a bare CR or LF is data) and the last line needs no CR LF. A line
// holds at most kMaxCsvLine bytes besides its CR LF; the rest of a longer one
// continues as the next line. Reads the source through a buffer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "formats/ByteStream.h"

namespace tavir {

inline constexpr std::size_t kMaxCsvLine = 39999;

class CsvLineReader {
 public:
  static constexpr std::size_t kReadBufferSize = 64 * 1024;

  explicit CsvLineReader(std::unique_ptr<ByteSource> source);

  // The next line without its CR LF into line; false when not one byte was
  // left. Throws FileError when the source fails.
  bool ReadLine(std::string& line);
  // Bytes handed out so far, CR LF included.
  std::int64_t Position() const { return consumed_; }
  std::int64_t Length() { return source_->Length(); }

 private:
  // At least count unread bytes in the buffer, unless the input ends first.
  std::size_t Available(std::size_t count);
  void Skip(std::size_t count);
  bool EndsAtLineBreak(std::string& line);

  std::unique_ptr<ByteSource> source_;
  std::vector<char> buffer_;
  std::size_t next_ = 0;  // first byte of buffer_ not yet handed out
  std::size_t end_ = 0;   // end of the valid bytes of buffer_
  std::int64_t consumed_ = 0;
};

}  // namespace tavir
