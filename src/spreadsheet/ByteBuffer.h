// Little-endian byte building and bounds-checked byte reading for the
// workbook file formats. Every read past the end throws WorkbookFormatError.
#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavir::spreadsheet {

// A workbook file that cannot be read: damaged, encrypted or of another kind.
class WorkbookFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ByteWriter {
 public:
  void U8(std::uint8_t value) { bytes_.push_back(value); }
  void U16(std::uint16_t value) {
    U8(static_cast<std::uint8_t>(value));
    U8(static_cast<std::uint8_t>(value >> 8));
  }
  void U32(std::uint32_t value) {
    U16(static_cast<std::uint16_t>(value));
    U16(static_cast<std::uint16_t>(value >> 16));
  }
  void F64(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    U32(static_cast<std::uint32_t>(bits));
    U32(static_cast<std::uint32_t>(bits >> 32));
  }
  void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  void Bytes(const std::uint8_t* data, std::size_t size) { bytes_.insert(bytes_.end(), data, data + size); }
  void PatchU16(std::size_t at, std::uint16_t value) {
    bytes_[at] = static_cast<std::uint8_t>(value);
    bytes_[at + 1] = static_cast<std::uint8_t>(value >> 8);
  }
  void PatchU32(std::size_t at, std::uint32_t value) {
    PatchU16(at, static_cast<std::uint16_t>(value));
    PatchU16(at + 2, static_cast<std::uint16_t>(value >> 16));
  }
  std::size_t Size() const { return bytes_.size(); }
  std::vector<std::uint8_t>& Bytes() { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

inline std::uint16_t LoadU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t LoadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(LoadU16(p)) | (static_cast<std::uint32_t>(LoadU16(p + 2)) << 16);
}
inline double LoadF64(const std::uint8_t* p) {
  const std::uint64_t bits = LoadU32(p) | (static_cast<std::uint64_t>(LoadU32(p + 4)) << 32);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Reads a byte range that it does not own; what names the structure in errors.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size, const char* what)
      : data_(data), size_(size), what_(what) {}
  std::size_t Remaining() const { return size_ - position_; }
  std::size_t Position() const { return position_; }
  const std::uint8_t* Take(std::size_t count) {
    if (count > Remaining()) throw WorkbookFormatError(std::string("truncated ") + what_);
    const std::uint8_t* p = data_ + position_;
    position_ += count;
    return p;
  }
  std::uint8_t U8() { return *Take(1); }
  std::uint16_t U16() { return LoadU16(Take(2)); }
  std::uint32_t U32() { return LoadU32(Take(4)); }
  double F64() { return LoadF64(Take(8)); }
  void Skip(std::size_t count) { Take(count); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  const char* what_;
  std::size_t position_ = 0;
};

}  // namespace tavir::spreadsheet
