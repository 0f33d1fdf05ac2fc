// Where a text file's bytes come from and go to: a file, or memory in tests.
// Failures of the medium raise FileError with the system's text.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavir {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to size bytes into buffer; 0 only at the end of the input.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
  // The length of the whole input in bytes.
  virtual std::int64_t Length() = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Writes all bytes or throws.
  virtual void Write(const char* data, std::size_t size) = 0;
  // Ends the output; a failure to store it throws. Nothing is written after.
  virtual void Close() = 0;
};

}  // namespace tavir
