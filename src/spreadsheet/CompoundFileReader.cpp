// Finds one stream of a compound file (versions 3 and 4). Every sector number,
// chain and length is checked, so a damaged file gives WorkbookFormatError.
#include <algorithm>
#include <cstring>

#include "spreadsheet/ByteBuffer.h"
#include "spreadsheet/CompoundFile.h"

namespace tavir::spreadsheet {

namespace {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFFA;
constexpr std::size_t kDirectoryEntrySize = 128;

[[noreturn]] void Damaged(const std::string& what) {
  throw WorkbookFormatError("damaged compound file: " + what);
}

class CompoundFile {
 public:
  explicit CompoundFile(const std::vector<std::uint8_t>& file) : file_(file) {
    static const std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    if (file.size() < 512 || std::memcmp(file.data(), kSignature, 8) != 0)
      throw WorkbookFormatError("not an Excel 97-2003 workbook (no compound file signature)");
    const std::uint8_t* h = file.data();
    const std::uint16_t major = LoadU16(h + 26);
    const std::uint16_t sectorShift = LoadU16(h + 30);
    if (!((major == 3 && sectorShift == 9) || (major == 4 && sectorShift == 12)))
      Damaged("unsupported sector size");
    if (LoadU16(h + 32) != 6) Damaged("unsupported mini sector size");
    sectorSize_ = std::size_t{1} << sectorShift;
    // Sectors follow a header that takes one whole sector; a short last
    // sector is read as if padded with zeros.
    sectorCount_ = static_cast<std::uint32_t>(std::min<std::size_t>(
        file.size() > sectorSize_ ? (file.size() - 1) / sectorSize_ : 0, kMaxRegularSector));
    miniCutoff_ = LoadU32(h + 56);
    ReadFat(h);
    ReadDirectory(LoadU32(h + 48));
    miniFatStart_ = LoadU32(h + 60);
  }

  std::vector<std::uint8_t> Stream(const std::vector<std::u16string>& names, std::u16string& matched) {
    for (const auto& wanted : names) {
      for (std::size_t i = 1; i < entryCount_; ++i) {
        const std::uint8_t* e = Entry(i);
        if (e[66] != 2 || !NameEquals(e, wanted)) continue;
        matched = wanted;
        const std::uint32_t start = LoadU32(e + 116);
        const std::uint64_t size = sectorSize_ == 512 ? LoadU32(e + 120) : LoadU32(e + 120) | (std::uint64_t{LoadU32(e + 124)} << 32);
        if (size > file_.size()) Damaged("stream longer than the file");
        if (size < miniCutoff_) return ReadMiniStream(start, static_cast<std::size_t>(size));
        return ReadChain(start, static_cast<std::size_t>(size), fat_, sectorSize_,
                         [this](std::uint32_t s) { return SectorData(s); });
      }
    }
    throw WorkbookFormatError("not an Excel 97-2003 workbook (no workbook stream)");
  }

 private:
  const std::uint8_t* SectorData(std::uint32_t sector) const {
    if (sector >= sectorCount_) Damaged("sector number out of range");
    const std::size_t offset = (std::size_t{sector} + 1) * sectorSize_;
    if (offset + sectorSize_ <= file_.size()) return file_.data() + offset;
    // The short last sector: copy it into a zero-padded buffer.
    padded_.assign(sectorSize_, 0);
    if (offset < file_.size()) std::memcpy(padded_.data(), file_.data() + offset, file_.size() - offset);
    return padded_.data();
  }

  void ReadFat(const std::uint8_t* header) {
    const std::uint32_t fatSectors = LoadU32(header + 44);
    if (fatSectors > sectorCount_) Damaged("FAT larger than the file");
    std::vector<std::uint32_t> fatSectorIds;
    for (std::uint32_t i = 0; i < std::min<std::uint32_t>(fatSectors, 109); ++i)
      fatSectorIds.push_back(LoadU32(header + 76 + 4 * i));
    std::uint32_t difat = LoadU32(header + 68);
    const std::size_t idsPerSector = sectorSize_ / 4;
    std::uint32_t steps = 0;
    while (fatSectorIds.size() < fatSectors) {
      if (difat >= kMaxRegularSector || ++steps > sectorCount_) Damaged("broken DIFAT chain");
      const std::uint8_t* d = SectorData(difat);
      for (std::size_t i = 0; i + 1 < idsPerSector && fatSectorIds.size() < fatSectors; ++i)
        fatSectorIds.push_back(LoadU32(d + 4 * i));
      difat = LoadU32(d + sectorSize_ - 4);
    }
    fat_.reserve(fatSectorIds.size() * idsPerSector);
    for (std::uint32_t id : fatSectorIds) {
      const std::uint8_t* s = SectorData(id);
      for (std::size_t i = 0; i < idsPerSector; ++i) fat_.push_back(LoadU32(s + 4 * i));
    }
  }

  // Follows a chain through table, collecting size bytes of unit-sized pieces.
  template <typename SectorFn>
  std::vector<std::uint8_t> ReadChain(std::uint32_t start, std::size_t size,
                                      const std::vector<std::uint32_t>& table, std::size_t unit,
                                      SectorFn sector) const {
    std::vector<std::uint8_t> out;
    out.reserve(size);
    std::uint32_t current = start;
    std::size_t steps = 0;
    while (out.size() < size) {
      if (current >= table.size() || ++steps > table.size()) Damaged("broken sector chain");
      const std::uint8_t* data = sector(current);
      const std::size_t take = std::min(unit, size - out.size());
      out.insert(out.end(), data, data + take);
      current = table[current];
    }
    return out;
  }

  // A chain whose length is not recorded anywhere: every sector up to its end.
  std::vector<std::uint8_t> WholeChain(std::uint32_t start, const std::string& what) const {
    std::vector<std::uint8_t> bytes;
    std::uint32_t current = start;
    std::size_t steps = 0;
    while (current != kEndOfChain) {
      if (current >= fat_.size() || ++steps > fat_.size()) Damaged("broken " + what + " chain");
      const std::uint8_t* data = SectorData(current);
      bytes.insert(bytes.end(), data, data + sectorSize_);
      current = fat_[current];
    }
    return bytes;
  }

  void ReadDirectory(std::uint32_t start) {
    directory_ = WholeChain(start, "directory");
    entryCount_ = directory_.size() / kDirectoryEntrySize;
    if (entryCount_ == 0 || Entry(0)[66] != 5) Damaged("no root entry");
  }

  const std::uint8_t* Entry(std::size_t index) const { return directory_.data() + index * kDirectoryEntrySize; }

  static bool NameEquals(const std::uint8_t* entry, const std::u16string& wanted) {
    const std::uint16_t bytes = LoadU16(entry + 64);
    if (bytes < 2 || bytes > 64 || bytes % 2) return false;
    const std::size_t length = bytes / 2 - 1;
    if (length != wanted.size()) return false;
    for (std::size_t i = 0; i < length; ++i) {
      char16_t c = LoadU16(entry + 2 * i), w = wanted[i];
      if (c >= u'a' && c <= u'z') c = c - u'a' + u'A';
      if (w >= u'a' && w <= u'z') w = w - u'a' + u'A';
      if (c != w) return false;
    }
    return true;
  }

  std::vector<std::uint8_t> ReadMiniStream(std::uint32_t start, std::size_t size) {
    const std::uint8_t* root = Entry(0);
    const std::uint64_t containerSize = LoadU32(root + 120);
    if (containerSize > file_.size()) Damaged("mini stream longer than the file");
    const std::vector<std::uint8_t> container =
        ReadChain(LoadU32(root + 116), static_cast<std::size_t>(containerSize), fat_, sectorSize_,
                  [this](std::uint32_t s) { return SectorData(s); });
    const std::vector<std::uint8_t> miniFatBytes = WholeChain(miniFatStart_, "mini FAT");
    std::vector<std::uint32_t> miniFat;
    for (std::size_t i = 0; i + 4 <= miniFatBytes.size(); i += 4) miniFat.push_back(LoadU32(miniFatBytes.data() + i));
    const std::size_t miniSectors = container.size() / 64;
    if (miniFat.size() > miniSectors) miniFat.resize(miniSectors);
    return ReadChain(start, size, miniFat, 64, [&container](std::uint32_t s) { return container.data() + std::size_t{s} * 64; });
  }

  const std::vector<std::uint8_t>& file_;
  std::size_t sectorSize_ = 512;
  std::uint32_t sectorCount_ = 0;
  std::uint32_t miniCutoff_ = 4096;
  std::uint32_t miniFatStart_ = kEndOfChain;
  std::vector<std::uint32_t> fat_;
  std::vector<std::uint8_t> directory_;
  std::size_t entryCount_ = 0;
  mutable std::vector<std::uint8_t> padded_;
};

}  // namespace

std::vector<std::uint8_t> ReadCompoundStream(const std::vector<std::uint8_t>& file,
                                             const std::vector<std::u16string>& names,
                                             std::u16string& matchedName) {
  CompoundFile compound(file);
  return compound.Stream(names, matchedName);
}

}  // namespace tavir::spreadsheet
