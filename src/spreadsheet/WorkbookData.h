// The in-memory workbook of the spreadsheet stand-in: sheets of typed cells
// with row heights, as the automation objects show them and the BIFF8 files
// store them. Rows and columns are 0-based here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavir::spreadsheet {

// The limits of an Excel 97 worksheet.
constexpr int kMaxRows = 65536;
constexpr int kMaxColumns = 256;
// Excel's default row height for its default font, in points.
constexpr double kDefaultRowHeight = 12.75;
constexpr double kMaxRowHeight = 409.5;

enum class CellKind : std::uint8_t { Empty, Text, Number, Boolean, Error };
// The number format of a Number cell; a date style makes the number a date
// serial (days since 1899-12-30, the fraction is the time of day).
enum class NumberStyle : std::uint8_t { General, Date, Time, DateTime };

struct Cell {
  CellKind kind = CellKind::Empty;
  NumberStyle style = NumberStyle::General;
  bool quotePrefix = false;  // text given with a leading apostrophe
  bool wrap = false;         // text with line breaks wraps in its cell
  double number = 0;         // Number: value; Boolean: 0 or 1; Error: the BIFF error code
  std::u16string text;

  static Cell Text(std::u16string value, bool quotePrefix = false);
  static Cell Number(double value, NumberStyle style = NumberStyle::General);
  bool IsDate() const { return kind == CellKind::Number && style != NumberStyle::General; }
};

class Sheet {
 public:
  std::u16string name;

  // An empty cell when (row, column) holds nothing.
  const Cell& At(int row, int column) const;
  // Stores a cell; an Empty cell clears the position.
  void Put(int row, int column, Cell cell);

  // The rows that hold any cell: 0 when the sheet is empty.
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // The cells of one row up to its last non-empty one.
  const std::vector<Cell>& Row(int row) const;
  // Bounding box of the non-empty cells; false for an empty sheet.
  bool UsedArea(int& firstRow, int& firstColumn, int& lastRow, int& lastColumn) const;

  // Points. A custom height when one was set, else the height that fits the
  // row's wrapped texts (one default line per text line).
  double RowHeight(int row) const;
  bool HasCustomHeight(int row) const;
  // One past the last row that holds a cell or a custom height.
  int RowExtent() const;
  void SetRowHeight(int row, double points);

 private:
  std::vector<std::vector<Cell>> rows_;
  std::vector<double> customHeights_;  // 0 = none
};

struct WorkbookData {
  std::vector<Sheet> sheets;
};

}  // namespace tavir::spreadsheet
