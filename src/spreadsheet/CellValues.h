// Cell values as automation sees them: what an assigned VARIANT becomes in a
// cell (as if typed: numbers and dates are recognised, a leading apostrophe
// keeps the rest as text), and the VARIANT a cell's Value gives back.
#pragma once

#include "platform/ComOwners.h"
#include "spreadsheet/WorkbookData.h"

namespace tavir::spreadsheet {

// Excel's limit for the text of one cell, in UTF-16 units.
constexpr std::size_t kMaxCellText = 32767;

// Throws SpreadsheetError for values a cell cannot take (formulas, objects,
// texts over kMaxCellText).
Cell CellFromInput(const VARIANT& value);
Variant VariantFromCell(const Cell& cell);

// Date serials: days since 1899-12-30, the fraction is the time of day.
double DateSerial(int year, int month, int day, int hour, int minute, int second);

}  // namespace tavir::spreadsheet
