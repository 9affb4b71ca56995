#include "hosts/sheet_room.h"

#include <algorithm>

namespace plotmate {

void TableExtent::include(std::int64_t row, std::int64_t column) {
  top = std::min(top, row);
  left = std::min(left, column);
  bottom = std::max(bottom, row);
  right = std::max(right, column);
}

void TableExtent::include(const TableExtent& other) {
  include(other.top, other.left);
  include(other.bottom, other.right);
}

Result<SheetPlace> ReadSheetPlace(ExcelApp& excel) {
  PLOTMATE_TRY(cell, excel.activeCell());
  // By its Address, else by its Row and Column.
  SheetPlace place;
  if (auto area = cell->area()) {
    place.row = area->row;
    place.column = area->column;
  } else {
    PLOTMATE_TRY(row, cell->row());
    PLOTMATE_TRY(column, cell->column());
    place.row = *row;
    place.column = *column;
  }
  PLOTMATE_TRY(size, excel.sheetSize());
  place.size = *size;
  return place;
}

std::string CellName(std::int64_t row, std::int64_t column) {
  std::string letters;
  for (std::int64_t n = column; n > 0; n = (n - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
  return letters + std::to_string(row);
}

std::string CellName(const std::optional<SheetPlace>& place, std::int64_t rowBy,
                     std::int64_t columnBy) {
  if (place) return CellName(place->row + rowBy, place->column + columnBy);
  return "R[" + std::to_string(rowBy) + "]C[" + std::to_string(columnBy) + "]";
}

std::optional<std::string> NoRoomMessage(const SheetPlace& place, const TableExtent& needed) {
  const std::int64_t rowsLeft = place.size.rows - place.row + 1;
  const std::int64_t columnsLeft = place.size.columns - place.column + 1;
  const bool fits = place.row + needed.top >= 1 && place.column + needed.left >= 1 &&
                    needed.bottom < rowsLeft && needed.right < columnsLeft;
  if (fits) return std::nullopt;
  return "工作表在这里放不下要写入的内容，什么也没有写入。\n需要从活动单元格 " +
         CellName(place.row, place.column) + " 起 " + std::to_string(needed.bottom + 1) + " 行、" +
         std::to_string(needed.right + 1) + " 列（含写完后活动单元格停留的一行），到工作表的最后一行有 " +
         std::to_string(rowsLeft) + " 行、到最后一列有 " + std::to_string(columnsLeft) +
         " 列。\n在更靠上/靠左的单元格开始，然后再试一次。";
}

}  // namespace plotmate
