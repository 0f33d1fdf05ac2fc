// Line splitting of CSV input over a buffered byte source.
#include "formats/CsvLineReader.h"

#include <algorithm>
#include <cstring>

namespace tavir {

CsvLineReader::CsvLineReader(std::unique_ptr<ByteSource> source)
    : source_(std::move(source)), buffer_(kReadBufferSize) {}

std::size_t CsvLineReader::Available(std::size_t count) {
  if (end_ - next_ >= count) return end_ - next_;
  // Keep the unread bytes and fill up behind them.
  std::memmove(buffer_.data(), buffer_.data() + next_, end_ - next_);
  end_ -= next_;
  next_ = 0;
  while (end_ < count) {
    const std::size_t got = source_->Read(buffer_.data() + end_, buffer_.size() - end_);
    if (got == 0) break;
    end_ += got;
  }
  return end_;
}

void CsvLineReader::Skip(std::size_t count) {
  next_ += count;
  consumed_ += static_cast<std::int64_t>(count);
}

// A full line still ends normally when its CR LF follows at once, or when its
// last byte is a CR and the LF follows: the limit is on the line, not its end.
bool CsvLineReader::EndsAtLineBreak(std::string& line) {
  if (line.back() == '\r' && Available(1) >= 1 && buffer_[next_] == '\n') {
    Skip(1);
    line.pop_back();
    return true;
  }
  if (Available(2) >= 2 && buffer_[next_] == '\r' && buffer_[next_ + 1] == '\n') {
    Skip(2);
    return true;
  }
  return false;
}

bool CsvLineReader::ReadLine(std::string& line) {
  line.clear();
  while (line.size() < kMaxCsvLine) {
    if (Available(1) == 0) return !line.empty();
    const std::size_t count = std::min(end_ - next_, kMaxCsvLine - line.size());
    const char* start = buffer_.data() + next_;
    const void* lineFeed = std::memchr(start, '\n', count);
    const std::size_t taken =
        lineFeed ? static_cast<std::size_t>(static_cast<const char*>(lineFeed) - start) + 1 : count;
    line.append(start, taken);
    Skip(taken);
    // A line feed ends the line only with a carriage return of this line before it.
    if (lineFeed && line.size() >= 2 && line[line.size() - 2] == '\r') {
      line.resize(line.size() - 2);
      return true;
    }
  }
  EndsAtLineBreak(line);
  return true;
}

}  // namespace tavir
