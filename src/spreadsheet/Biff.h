// Excel 97 (BIFF8) workbook streams: building one from the in-memory
// workbook, and parsing one written by Excel, LibreOffice or ourselves.
#pragma once

#include <cstdint>
#include <vector>

#include "spreadsheet/WorkbookData.h"

namespace tavir::spreadsheet {

std::vector<std::uint8_t> BuildWorkbookStream(const WorkbookData& workbook);

// Throws WorkbookFormatError for a damaged, encrypted or older workbook.
WorkbookData ParseWorkbookStream(const std::vector<std::uint8_t>& stream);

// Record types both directions use.
namespace record {
constexpr std::uint16_t kFormula = 0x0006, kEof = 0x000A, kFilePass = 0x002F, kContinue = 0x003C,
                        kCodePage = 0x0042, kWindow1 = 0x003D, kDateMode = 0x0022, kFont = 0x0031,
                        kBoundSheet = 0x0085, kMulRk = 0x00BD, kRString = 0x00D6, kXf = 0x00E0,
                        kSst = 0x00FC, kLabelSst = 0x00FD, kExtSst = 0x00FF, kDimensions = 0x0200,
                        kNumber = 0x0203, kLabel = 0x0204, kBoolErr = 0x0205, kString = 0x0207,
                        kRow = 0x0208, kWindow2 = 0x023E, kRk = 0x027E, kStyle = 0x0293,
                        kFormat = 0x041E, kBof = 0x0809;
}  // namespace record

// The largest record body BIFF8 allows; longer data goes on in CONTINUE records.
constexpr std::size_t kMaxRecordData = 8224;

}  // namespace tavir::spreadsheet
