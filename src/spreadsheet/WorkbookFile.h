// Loading and saving Excel 97 workbook files (.xls): a compound file whose
// "Workbook" stream holds BIFF8 records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "spreadsheet/WorkbookData.h"

namespace tavir::spreadsheet {

// Both throw WorkbookFormatError with a message that names the file.
WorkbookData LoadWorkbookFile(const std::string& fileName);
void SaveWorkbookFile(const std::string& fileName, const WorkbookData& workbook);

// The same without files, for tests and the fuzz target.
WorkbookData ParseWorkbookBytes(const std::vector<std::uint8_t>& file);
std::vector<std::uint8_t> BuildWorkbookBytes(const WorkbookData& workbook);

}  // namespace tavir::spreadsheet
