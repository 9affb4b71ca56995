#include "sim/apps/view/sheet_grid.h"

#include <algorithm>
#include <limits>

namespace plotmate::sim {

std::optional<CellRef> GridLayout::cellAt(int x, int y) const {
  if (x < headerWidth || y < headerHeight) return std::nullopt;
  const std::int64_t row = std::int64_t{topLeft.row} + (y - headerHeight) / rowHeight;
  const std::int64_t column = std::int64_t{topLeft.column} + (x - headerWidth) / columnWidth;
  if (row > std::numeric_limits<std::int32_t>::max() || column > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  CellRef cell{static_cast<std::int32_t>(row), static_cast<std::int32_t>(column)};
  if (!inSheet(cell)) return std::nullopt;
  return cell;
}

PixelRect GridLayout::cellRect(CellRef cell) const {
  const int left = headerWidth + (cell.column - topLeft.column) * columnWidth;
  const int top = headerHeight + (cell.row - topLeft.row) * rowHeight;
  return {left, top, left + columnWidth, top + rowHeight};
}

int GridLayout::visibleRows(int clientHeight) const {
  return std::max(1, (clientHeight - headerHeight) / rowHeight);
}

int GridLayout::visibleColumns(int clientWidth) const {
  return std::max(1, (clientWidth - headerWidth) / columnWidth);
}

void GridLayout::scrollToShow(CellRef cell, int clientWidth, int clientHeight) {
  const int rows = visibleRows(clientHeight), columns = visibleColumns(clientWidth);
  if (cell.row < topLeft.row) topLeft.row = cell.row;
  if (cell.row >= topLeft.row + rows) topLeft.row = cell.row - rows + 1;
  if (cell.column < topLeft.column) topLeft.column = cell.column;
  if (cell.column >= topLeft.column + columns) topLeft.column = cell.column - columns + 1;
}

void MouseSelection::click(CellRef cell, bool extend) {
  if (!extend) anchor = cell;
  area = Area::spanning(anchor, cell);
}

}  // namespace plotmate::sim
