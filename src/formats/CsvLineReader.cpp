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

void CsvLineReader::AllowBareLineEnds(int quote, int separator) {
  lineEnds_ = LineEnds::Undecided;
  quote_ = quote;
  separator_ = separator;
}

bool CsvLineReader::CrLfAhead() {
  std::size_t searched = next_;
  for (;;) {
    const char* begin = buffer_.data();
    for (std::size_t i = searched; i + 1 < end_; ++i)
      if (begin[i] == '\r' && begin[i + 1] == '\n')
        return true;
    searched = end_ > next_ ? end_ - 1 : next_;
    if (end_ == buffer_.size())
      buffer_.resize(buffer_.size() * 2);
    const std::size_t got = source_->Read(buffer_.data() + end_, buffer_.size() - end_);
    if (got == 0)
      return false;
    end_ += got;
  }
}

// A line break ends the line outside a quoted field. Quoted fields start at
// the start of a field; a doubled quote inside one is data.
bool CsvLineReader::ReadBareLine(std::string& line) {
  bool quoted = false;
  bool atFieldStart = true;
  bool any = false;
  while (line.size() < kMaxCsvLine && Available(1) > 0) {
    const int byte = static_cast<unsigned char>(buffer_[next_]);
    Skip(1);
    any = true;
    if (!quoted && (byte == '\r' || byte == '\n'))
      return true;
    line += static_cast<char>(byte);
    if (quoted) {
      if (byte != quote_)
        continue;
      if (Available(1) > 0 && static_cast<unsigned char>(buffer_[next_]) == quote_) {
        line += buffer_[next_];
        Skip(1);
      } else {
        quoted = false;
      }
    } else {
      quoted = atFieldStart && byte == quote_;
      atFieldStart = byte == separator_;
    }
  }
  return any;
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
  if (lineEnds_ == LineEnds::Undecided)
    lineEnds_ = CrLfAhead() ? LineEnds::CrLf : LineEnds::Bare;
  if (lineEnds_ == LineEnds::Bare)
    return ReadBareLine(line);
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
