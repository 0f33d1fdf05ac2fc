// libFuzzer target for the workbook reader: any bytes either read as a
// workbook or give WorkbookFormatError. Inputs with the compound file
// signature go through the whole file reader; others straight to the BIFF8
// record parser, so that it is reached without a valid container.
#include <cstdint>
#include <cstring>
#include <vector>

#include "spreadsheet/Biff.h"
#include "spreadsheet/ByteBuffer.h"
#include "spreadsheet/WorkbookFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::uint8_t kSignature[4] = {0xD0, 0xCF, 0x11, 0xE0};
  const std::vector<std::uint8_t> bytes(data, data + size);
  try {
    if (size >= 4 && std::memcmp(data, kSignature, 4) == 0) tavir::spreadsheet::ParseWorkbookBytes(bytes);
    else tavir::spreadsheet::ParseWorkbookStream(bytes);
  } catch (const tavir::spreadsheet::WorkbookFormatError&) {
  }
  return 0;
}
