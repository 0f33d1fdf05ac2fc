// Splits a byte source into the lines of a CSV file: a line ends at CR LF
// only (a bare CR or LF is data) and the last line needs no CR LF. A file
// without any CR LF (what most Linux and macOS programs write) may have its
// bare CR and LF read as line ends instead, outside quoted fields. A line
// holds at most kMaxCsvLine bytes besides its line end; the rest of a longer
// one continues as the next line. Reads the source through a buffer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "formats/ByteStream.h"

namespace tavir {

// Far beyond any line the program writes (33 fields of at most 39,999 bytes):
// a long note never splits its record. Only a file that is no CSV at all
// reaches it.
inline constexpr std::size_t kMaxCsvLine = 4 * 1024 * 1024;

class CsvLineReader {
 public:
  static constexpr std::size_t kReadBufferSize = 64 * 1024;

  explicit CsvLineReader(std::unique_ptr<ByteSource> source);

  // Bare CR and LF end lines when the whole input has no CR LF; quote and
  // separator are the bytes of the CSV options (-1: none), so that a line
  // break inside a quoted field stays data. Call before the first line.
  void AllowBareLineEnds(int quote, int separator);

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
  // Whether a CR LF lies ahead; reads on (buffering the input) until one
  // does or the input ends.
  bool CrLfAhead();
  bool ReadBareLine(std::string& line);

  std::unique_ptr<ByteSource> source_;
  std::vector<char> buffer_;
  std::size_t next_ = 0;  // first byte of buffer_ not yet handed out
  std::size_t end_ = 0;   // end of the valid bytes of buffer_
  std::int64_t consumed_ = 0;
  enum class LineEnds { CrLf, Undecided, Bare } lineEnds_ = LineEnds::CrLf;
  int quote_ = -1;
  int separator_ = -1;
};

}  // namespace tavir
