// Cells, rows and row heights of the stand-in's in-memory sheets.
#include "spreadsheet/WorkbookData.h"

#include <algorithm>

namespace tavir::spreadsheet {

namespace {
const Cell kEmptyCell{};
const std::vector<Cell> kEmptyRow{};
}  // namespace

Cell Cell::Text(std::u16string value, bool quotePrefix) {
  Cell cell;
  cell.kind = CellKind::Text;
  cell.quotePrefix = quotePrefix;
  cell.wrap = value.find(u'\n') != std::u16string::npos;
  cell.text = std::move(value);
  return cell;
}

Cell Cell::Number(double value, NumberStyle style) {
  Cell cell;
  cell.kind = CellKind::Number;
  cell.style = style;
  cell.number = value;
  return cell;
}

const Cell& Sheet::At(int row, int column) const {
  if (row < 0 || row >= RowCount()) return kEmptyCell;
  const auto& cells = rows_[row];
  if (column < 0 || column >= static_cast<int>(cells.size())) return kEmptyCell;
  return cells[column];
}

const std::vector<Cell>& Sheet::Row(int row) const {
  if (row < 0 || row >= RowCount()) return kEmptyRow;
  return rows_[row];
}

void Sheet::Put(int row, int column, Cell cell) {
  if (cell.kind == CellKind::Empty) {
    if (row >= RowCount()) return;
    auto& cells = rows_[row];
    if (column < static_cast<int>(cells.size())) cells[column] = Cell{};
    while (!cells.empty() && cells.back().kind == CellKind::Empty) cells.pop_back();
    while (!rows_.empty() && rows_.back().empty()) rows_.pop_back();
    return;
  }
  if (row >= RowCount()) rows_.resize(row + 1);
  auto& cells = rows_[row];
  if (column >= static_cast<int>(cells.size())) cells.resize(column + 1);
  cells[column] = std::move(cell);
}

bool Sheet::UsedArea(int& firstRow, int& firstColumn, int& lastRow, int& lastColumn) const {
  bool any = false;
  for (int row = 0; row < RowCount(); ++row) {
    const auto& cells = rows_[row];
    for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
      if (cells[column].kind == CellKind::Empty) continue;
      if (!any) {
        firstRow = lastRow = row;
        firstColumn = lastColumn = column;
        any = true;
      }
      firstColumn = std::min(firstColumn, column);
      lastColumn = std::max(lastColumn, column);
      lastRow = row;
    }
  }
  return any;
}

bool Sheet::HasCustomHeight(int row) const {
  return row >= 0 && row < static_cast<int>(customHeights_.size()) && customHeights_[row] > 0;
}

double Sheet::RowHeight(int row) const {
  if (HasCustomHeight(row)) return customHeights_[row];
  std::size_t lines = 1;
  for (const Cell& cell : Row(row)) {
    if (cell.kind == CellKind::Text && cell.wrap)
      lines = std::max<std::size_t>(lines, std::count(cell.text.begin(), cell.text.end(), u'\n') + 1);
  }
  return std::min(kMaxRowHeight, kDefaultRowHeight * static_cast<double>(lines));
}

int Sheet::RowExtent() const {
  int extent = static_cast<int>(customHeights_.size());
  while (extent > 0 && customHeights_[extent - 1] <= 0) --extent;
  return std::max(extent, RowCount());
}

void Sheet::SetRowHeight(int row, double points) {
  if (row < 0 || row >= kMaxRows) return;
  if (row >= static_cast<int>(customHeights_.size())) customHeights_.resize(row + 1, 0.0);
  customHeights_[row] = points;
}

}  // namespace tavir::spreadsheet
