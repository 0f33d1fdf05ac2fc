// Walking the records of a BIFF8 stream, and reading strings that go on in
// CONTINUE records. Lengths are checked: damage gives WorkbookFormatError.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "spreadsheet/ByteBuffer.h"

namespace tavir::spreadsheet {

struct BiffRecord {
  std::uint16_t type = 0;
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
};

class BiffRecordStream {
 public:
  BiffRecordStream(const std::vector<std::uint8_t>& stream, std::size_t offset);
  // False at the end of the stream.
  bool Next(BiffRecord& record);
  // The type of the record Next would return; 0 at the end.
  std::uint16_t PeekType() const;

 private:
  const std::vector<std::uint8_t>& stream_;
  std::size_t position_;
};

// Reads across a record and its CONTINUE records. A string's characters that
// go on in the next record start there with a new option byte.
class ContinuedReader {
 public:
  void AddSegment(const std::uint8_t* data, std::size_t size) { segments_.emplace_back(data, size); }
  bool AtEnd();
  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  void Skip(std::size_t count);
  // XLUnicodeRichExtendedString / XLUnicodeString: a two-byte length.
  std::u16string UnicodeString();

 private:
  bool NextSegment();
  std::vector<std::pair<const std::uint8_t*, std::size_t>> segments_;
  std::size_t segment_ = 0;
  std::size_t position_ = 0;
};

// Adds the CONTINUE records that follow the current one.
void AddContinues(BiffRecordStream& records, ContinuedReader& reader);

}  // namespace tavir::spreadsheet
