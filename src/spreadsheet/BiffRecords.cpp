// Record walking and CONTINUE-spanning string reading for BIFF8 streams.
#include "spreadsheet/BiffRecords.h"

#include "spreadsheet/Biff.h"

namespace tavir::spreadsheet {

BiffRecordStream::BiffRecordStream(const std::vector<std::uint8_t>& stream, std::size_t offset)
    : stream_(stream), position_(offset) {
  if (offset > stream.size()) throw WorkbookFormatError("damaged workbook: sheet offset beyond the stream");
}

bool BiffRecordStream::Next(BiffRecord& record) {
  const std::size_t remaining = stream_.size() - position_;
  if (remaining == 0) return false;
  if (remaining < 4) throw WorkbookFormatError("damaged workbook: truncated record header");
  const std::uint8_t* header = stream_.data() + position_;
  record.type = LoadU16(header);
  record.size = LoadU16(header + 2);
  if (record.size > remaining - 4) throw WorkbookFormatError("damaged workbook: record longer than the stream");
  record.data = header + 4;
  position_ += 4 + record.size;
  return true;
}

std::uint16_t BiffRecordStream::PeekType() const {
  if (stream_.size() - position_ < 4) return 0;
  return LoadU16(stream_.data() + position_);
}

void AddContinues(BiffRecordStream& records, ContinuedReader& reader) {
  BiffRecord next;
  while (records.PeekType() == record::kContinue && records.Next(next)) reader.AddSegment(next.data, next.size);
}

bool ContinuedReader::NextSegment() {
  if (segment_ + 1 >= segments_.size()) return false;
  ++segment_;
  position_ = 0;
  return true;
}

bool ContinuedReader::AtEnd() {
  while (segment_ < segments_.size() && position_ == segments_[segment_].second)
    if (!NextSegment()) return true;
  return segment_ >= segments_.size();
}

std::uint8_t ContinuedReader::U8() {
  if (AtEnd()) throw WorkbookFormatError("damaged workbook: truncated string data");
  return segments_[segment_].first[position_++];
}

std::uint16_t ContinuedReader::U16() {
  const std::uint8_t low = U8();
  return static_cast<std::uint16_t>(low | (U8() << 8));
}

std::uint32_t ContinuedReader::U32() {
  const std::uint16_t low = U16();
  return low | (static_cast<std::uint32_t>(U16()) << 16);
}

void ContinuedReader::Skip(std::size_t count) {
  while (count > 0) {
    if (AtEnd()) throw WorkbookFormatError("damaged workbook: truncated string data");
    const std::size_t take = std::min(count, segments_[segment_].second - position_);
    position_ += take;
    count -= take;
  }
}

std::u16string ContinuedReader::UnicodeString() {
  const std::uint16_t length = U16();
  std::uint8_t options = U8();
  const std::uint16_t runs = (options & 0x08) ? U16() : 0;
  const std::uint32_t extension = (options & 0x04) ? U32() : 0;
  std::u16string text;
  text.reserve(length);
  while (text.size() < length) {
    if (segment_ >= segments_.size()) throw WorkbookFormatError("damaged workbook: truncated string");
    const std::size_t width = (options & 0x01) ? 2 : 1;
    const auto& [data, size] = segments_[segment_];
    const std::size_t available = (size - position_) / width;
    const std::size_t count = std::min<std::size_t>(available, length - text.size());
    for (std::size_t i = 0; i < count; ++i, position_ += width)
      text.push_back(width == 2 ? LoadU16(data + position_) : data[position_]);
    if (text.size() == length) break;
    if (!NextSegment()) throw WorkbookFormatError("damaged workbook: truncated string");
    options = U8();
  }
  Skip(std::size_t{runs} * 4);
  Skip(extension);
  return text;
}

}  // namespace tavir::spreadsheet
