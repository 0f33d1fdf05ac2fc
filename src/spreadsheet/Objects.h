// Constructors of the stand-in's automation objects: Application, Workbooks,
// Workbook, Sheets, Worksheet and Range.
#pragma once

#include <memory>

#include "spreadsheet/DispatchObject.h"

namespace tavir::spreadsheet {

ComPtr<IDispatch> NewApplication();

// A rectangle of a sheet, 0-based; asRows: the range's Rows collection, whose
// Count is the number of rows.
struct RangeArea {
  int row = 0, column = 0, rows = 1, columns = 1;
};
ComPtr<IDispatch> NewRange(std::shared_ptr<WorkbookState> workbook, int sheet, RangeArea area,
                           bool asRows = false);

}  // namespace tavir::spreadsheet
