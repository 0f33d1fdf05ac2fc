// A byte source over bytes in memory and a sink into memory: for reading a
// text already at hand, and for tests and fuzzing without files.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "formats/ByteStream.h"

namespace tavir {

// Reads from a copy of the bytes; chunkLimit caps each Read (0: no cap), so
// that callers can be tested with short reads.
class MemoryByteSource : public ByteSource {
 public:
  explicit MemoryByteSource(std::string_view bytes, std::size_t chunkLimit = 0)
      : bytes_(bytes), chunkLimit_(chunkLimit) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    std::size_t count = std::min(size, bytes_.size() - position_);
    if (chunkLimit_ != 0) count = std::min(count, chunkLimit_);
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return count;
  }
  std::int64_t Length() override { return static_cast<std::int64_t>(bytes_.size()); }

 private:
  std::string bytes_;
  std::size_t position_ = 0;
  std::size_t chunkLimit_;
};

// Appends everything written to a string the caller owns and keeps alive.
class MemoryByteSink : public ByteSink {
 public:
  explicit MemoryByteSink(std::string& target) : target_(target) {}
  void Write(const char* data, std::size_t size) override { target_.append(data, size); }
  void Close() override {}

 private:
  std::string& target_;
};

}  // namespace tavir
