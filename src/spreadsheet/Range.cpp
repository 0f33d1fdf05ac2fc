// The Range object: one cell, a block, a sheet's cells or its used range,
// with the members ExcelFile uses (item, Resize, Value, RowHeight, Rows, Count).
#include <algorithm>

#include "spreadsheet/CellValues.h"
#include "spreadsheet/Objects.h"
#include "spreadsheet/StandIn.h"

namespace tavir::spreadsheet {

namespace {

constexpr const char* kBeyondTheSheet =
    "An Excel 97-2003 worksheet holds at most 65,536 rows and 256 columns.";

class Range final : public DispatchObject {
 public:
  Range(std::shared_ptr<WorkbookState> workbook, int sheet, RangeArea area, bool asRows)
      : workbook_(std::move(workbook)), sheet_(sheet), area_(area), asRows_(asRows) {}

 protected:
  bool Call(DISPID member, WORD kind, const DispatchArguments& arguments, Variant& result) override {
    CheckOpen(*workbook_);
    const bool put = kind & DISPATCH_PROPERTYPUT;
    switch (member) {
      case member::kDefault:
        if (arguments.Count() == 0) return Call(member::kValue, kind, arguments, result);
        result = ObjectResult(Item(arguments.Long(0), arguments.Count() > 1 ? arguments.Long(1) : 1));
        return true;
      case member::kResize:
        result = ObjectResult(Resize(arguments.Long(0), arguments.Long(1)));
        return true;
      case member::kValue:
        if (put) PutValue(arguments.PutValue());
        else result = GetValue();
        return true;
      case member::kRowHeight:
        if (put) PutRowHeight(arguments.PutValue());
        else result = GetRowHeight();
        return true;
      case member::kRows:
        result = ObjectResult(NewRange(workbook_, sheet_, area_, true));
        return true;
      case member::kCount:
        result = Variant::FromInt(asRows_ ? area_.rows : area_.rows * area_.columns);
        return true;
      default:
        return false;
    }
  }

 private:
  Sheet& TheSheet() { return workbook_->data.sheets.at(sheet_); }

  ComPtr<IDispatch> Item(long row, long column) {
    const long absoluteRow = area_.row + row - 1, absoluteColumn = area_.column + column - 1;
    if (absoluteRow < 0 || absoluteRow >= kMaxRows || absoluteColumn < 0 || absoluteColumn >= kMaxColumns)
      throw SpreadsheetError(kExcelRefused, kBeyondTheSheet);
    return NewRange(workbook_, sheet_, RangeArea{static_cast<int>(absoluteRow), static_cast<int>(absoluteColumn), 1, 1});
  }

  ComPtr<IDispatch> Resize(long rows, long columns) {
    if (rows < 1 || columns < 1 || area_.row + rows > kMaxRows || area_.column + columns > kMaxColumns)
      throw SpreadsheetError(kExcelRefused, kBeyondTheSheet);
    return NewRange(workbook_, sheet_, RangeArea{area_.row, area_.column, static_cast<int>(rows), static_cast<int>(columns)});
  }

  bool IsOneCell() const { return area_.rows == 1 && area_.columns == 1; }

  Variant GetValue() {
    const Sheet& sheet = TheSheet();
    if (IsOneCell()) return VariantFromCell(sheet.At(area_.row, area_.column));
    SafeArray values(area_.rows, area_.columns);
    for (int r = 0; r < area_.rows; ++r)
      for (int c = 0; c < area_.columns; ++c)
        values.PutElement(r + 1, c + 1, VariantFromCell(sheet.At(area_.row + r, area_.column + c)));
    Variant result;
    result.Get()->vt = VT_ARRAY | VT_VARIANT;
    result.Get()->parray = values.Detach();
    return result;
  }

  // An array fills the range from its first element on; cells the array does
  // not reach get #N/A, elements beyond the range are ignored, as in Excel.
  void PutValue(const VARIANT& value) {
    Sheet& sheet = TheSheet();
    if (IsOneCell()) ++Counters().directCellWrites;
    else if (value.vt & VT_ARRAY) {
      ++Counters().blockTransfers;
      Counters().lastBlockRows = area_.rows;
      Counters().lastBlockColumns = area_.columns;
    }
    if (!(value.vt & VT_ARRAY)) {
      const Cell cell = CellFromInput(value);
      for (int r = 0; r < area_.rows; ++r)
        for (int c = 0; c < area_.columns; ++c) sheet.Put(area_.row + r, area_.column + c, cell);
      return;
    }
    if (value.vt != (VT_ARRAY | VT_VARIANT) || !value.parray)
      throw SpreadsheetError(DISP_E_TYPEMISMATCH, "Only arrays of variants can be assigned to a range.");
    SafeArray borrowed(value.parray);
    const bool twoDimensional = SafeArrayGetDim(value.parray) == 2;
    const long rows = twoDimensional ? borrowed.Rows() : 1;
    const long columns = twoDimensional ? borrowed.Columns() : borrowed.Rows();
    LONG lowRow = 0, lowColumn = 0;
    SafeArrayGetLBound(value.parray, 1, &lowRow);
    SafeArrayGetLBound(value.parray, twoDimensional ? 2 : 1, &lowColumn);
    Cell notAvailable;
    notAvailable.kind = CellKind::Error;
    notAvailable.number = 0x2A;
    try {
      for (int r = 0; r < area_.rows; ++r) {
        for (int c = 0; c < area_.columns; ++c) {
          // A one-dimensional array is one row, repeated down the range.
          const long arrayRow = twoDimensional ? r : 0;
          if (arrayRow >= rows || c >= columns) {
            sheet.Put(area_.row + r, area_.column + c, notAvailable);
            continue;
          }
          const Variant element = twoDimensional ? borrowed.GetElement(lowRow + arrayRow, lowColumn + c)
                                                 : borrowed.GetElement(lowColumn + c, 1);
          sheet.Put(area_.row + r, area_.column + c, CellFromInput(*element.Get()));
        }
      }
    } catch (...) {
      borrowed.Detach();  // the caller owns the array
      throw;
    }
    borrowed.Detach();
  }

  Variant GetRowHeight() {
    const Sheet& sheet = TheSheet();
    const double first = sheet.RowHeight(area_.row);
    for (int r = 1; r < area_.rows; ++r)
      if (sheet.RowHeight(area_.row + r) != first) {
        Variant mixed;
        mixed.Get()->vt = VT_NULL;  // rows of different heights
        return mixed;
      }
    return Variant::FromDouble(first);
  }

  void PutRowHeight(const VARIANT& value) {
    Variant height;
    if (FAILED(VariantChangeType(height.Get(), const_cast<VARIANT*>(&value), 0, VT_R8)) ||
        !(height.Get()->dblVal >= 0 && height.Get()->dblVal <= kMaxRowHeight))
      throw SpreadsheetError(kExcelRefused, "Unable to set the RowHeight property of the Range class.");
    Sheet& sheet = TheSheet();
    for (int r = 0; r < area_.rows; ++r) sheet.SetRowHeight(area_.row + r, height.Get()->dblVal);
  }

  std::shared_ptr<WorkbookState> workbook_;
  int sheet_;
  RangeArea area_;
  bool asRows_;
};

}  // namespace

ComPtr<IDispatch> NewRange(std::shared_ptr<WorkbookState> workbook, int sheet, RangeArea area, bool asRows) {
  return MakeObject<Range>(std::move(workbook), sheet, area, asRows);
}

}  // namespace tavir::spreadsheet
