// Writes a version 3 compound file around one stream: header, data sectors,
// mini FAT, directory, FAT and, for large files, DIFAT sectors.
#include <algorithm>

#include "spreadsheet/ByteBuffer.h"
#include "spreadsheet/CompoundFile.h"

namespace tavir::spreadsheet {

namespace {

constexpr std::uint32_t kSectorSize = 512;
constexpr std::uint32_t kMiniSectorSize = 64;
constexpr std::uint32_t kMiniStreamCutoff = 4096;
constexpr std::uint32_t kIdsPerSector = kSectorSize / 4;
constexpr std::uint32_t kHeaderFatSlots = 109;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;

std::uint32_t SectorsFor(std::uint64_t bytes, std::uint32_t unit) {
  return static_cast<std::uint32_t>((bytes + unit - 1) / unit);
}

void WriteDirectoryEntry(ByteWriter& out, const std::u16string& name, std::uint8_t type,
                         std::uint32_t child, std::uint32_t start, std::uint32_t size) {
  for (char16_t c : name) out.U16(c);
  out.Zeros(64 - name.size() * 2);
  out.U16(name.empty() ? 0 : static_cast<std::uint16_t>((name.size() + 1) * 2));
  out.U8(type);
  out.U8(1);  // black: a tree of one node per level is trivially balanced
  out.U32(kNoStream);
  out.U32(kNoStream);
  out.U32(child);
  out.Zeros(16 + 4 + 8 + 8);  // class id, state bits, times
  out.U32(start);
  out.U32(size);
  out.U32(0);
}

}  // namespace

std::vector<std::uint8_t> BuildCompoundFile(const std::u16string& streamName,
                                            const std::vector<std::uint8_t>& stream) {
  const bool inMiniStream = stream.size() < kMiniStreamCutoff;
  const std::uint32_t miniSectors = inMiniStream ? SectorsFor(stream.size(), kMiniSectorSize) : 0;
  const std::uint64_t regularBytes =
      inMiniStream ? std::uint64_t{miniSectors} * kMiniSectorSize : stream.size();
  const std::uint32_t dataSectors = SectorsFor(regularBytes, kSectorSize);
  const std::uint32_t miniFatSectors = inMiniStream && miniSectors > 0 ? 1 : 0;
  const std::uint32_t directorySectors = 1;

  // The FAT must also map its own sectors and the DIFAT sectors.
  std::uint32_t fatSectors = 1, difatSectors = 0;
  for (;;) {
    const std::uint32_t total = dataSectors + miniFatSectors + directorySectors + fatSectors + difatSectors;
    const std::uint32_t neededFat = SectorsFor(total, kIdsPerSector);
    const std::uint32_t neededDifat =
        neededFat > kHeaderFatSlots ? SectorsFor(neededFat - kHeaderFatSlots, kIdsPerSector - 1) : 0;
    if (neededFat == fatSectors && neededDifat == difatSectors) break;
    fatSectors = std::max(fatSectors, neededFat);
    difatSectors = std::max(difatSectors, neededDifat);
  }
  const std::uint32_t miniFatStart = dataSectors;
  const std::uint32_t directoryStart = miniFatStart + miniFatSectors;
  const std::uint32_t fatStart = directoryStart + directorySectors;
  const std::uint32_t difatStart = fatStart + fatSectors;
  const std::uint32_t totalSectors = difatStart + difatSectors;

  ByteWriter out;
  // Header.
  static const std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  out.Bytes(kSignature, 8);
  out.Zeros(16);
  out.U16(0x003E);
  out.U16(0x0003);
  out.U16(0xFFFE);
  out.U16(9);  // 512-byte sectors
  out.U16(6);  // 64-byte mini sectors
  out.Zeros(6);
  out.U32(0);  // directory sector count: always 0 in version 3
  out.U32(fatSectors);
  out.U32(directoryStart);
  out.U32(0);
  out.U32(kMiniStreamCutoff);
  out.U32(miniFatSectors ? miniFatStart : kEndOfChain);
  out.U32(miniFatSectors);
  out.U32(difatSectors ? difatStart : kEndOfChain);
  out.U32(difatSectors);
  for (std::uint32_t i = 0; i < kHeaderFatSlots; ++i) out.U32(i < fatSectors ? fatStart + i : kFreeSector);

  // Data: the stream itself or the mini stream that holds it.
  out.Bytes(stream.data(), stream.size());
  out.Zeros(std::size_t{dataSectors} * kSectorSize - stream.size());

  if (miniFatSectors) {
    for (std::uint32_t i = 0; i < kIdsPerSector; ++i)
      out.U32(i + 1 < miniSectors ? i + 1 : (i + 1 == miniSectors ? kEndOfChain : kFreeSector));
  }

  // Directory: root, the stream, two unused entries.
  const std::uint32_t streamStart = stream.empty() ? kEndOfChain : 0;
  WriteDirectoryEntry(out, u"Root Entry", 5, 1, inMiniStream && dataSectors ? 0 : kEndOfChain,
                      inMiniStream ? miniSectors * kMiniSectorSize : 0);
  WriteDirectoryEntry(out, streamName, 2, kNoStream, streamStart, static_cast<std::uint32_t>(stream.size()));
  for (int unused = 0; unused < 2; ++unused) WriteDirectoryEntry(out, u"", 0, kNoStream, 0, 0);

  // FAT.
  for (std::uint32_t sector = 0; sector < fatSectors * kIdsPerSector; ++sector) {
    std::uint32_t next = kFreeSector;
    if (sector < dataSectors) next = sector + 1 < dataSectors ? sector + 1 : kEndOfChain;
    else if (sector < directoryStart) next = kEndOfChain;  // the one mini FAT sector
    else if (sector < fatStart) next = kEndOfChain;        // the one directory sector
    else if (sector < difatStart) next = kFatSector;
    else if (sector < totalSectors) next = kDifatSector;
    out.U32(next);
  }

  // DIFAT: the FAT sector numbers beyond the header's 109, chained.
  for (std::uint32_t d = 0; d < difatSectors; ++d) {
    for (std::uint32_t slot = 0; slot < kIdsPerSector - 1; ++slot) {
      const std::uint32_t fatIndex = kHeaderFatSlots + d * (kIdsPerSector - 1) + slot;
      out.U32(fatIndex < fatSectors ? fatStart + fatIndex : kFreeSector);
    }
    out.U32(d + 1 < difatSectors ? difatStart + d + 1 : kEndOfChain);
  }
  return std::move(out.Bytes());
}

}  // namespace tavir::spreadsheet
