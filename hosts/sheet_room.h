#pragma once
// Whether a table fits on the sheet below and right of the active cell. A
// table that does not fit is not written at all: past the sheet's last row
// or column the host refuses the move, and a write after a refused move
// would land beside the previous one, over the drafter's cells.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "hosts/excel.h"

namespace plotmate {

// The rectangle a table covers, counted from the active cell it starts at
// (0, 0): every cell it writes, every cell it makes active (the cell below
// the table where the active cell ends included) and the start itself.
struct TableExtent {
  std::int64_t top = 0;
  std::int64_t left = 0;
  std::int64_t bottom = 0;
  std::int64_t right = 0;

  std::int64_t rows() const { return bottom - top + 1; }
  std::int64_t columns() const { return right - left + 1; }
  // The smallest extent holding this one and the cell (row, column).
  void include(std::int64_t row, std::int64_t column);
  void include(const TableExtent& other);
};

// Where a run writes: the active cell and the sheet's size, read once per run
// (ActiveCell.Address, ActiveSheet.Rows.Count and Columns.Count).
struct SheetPlace {
  std::int64_t row = 1;
  std::int64_t column = 1;
  SheetSize size;
};
Result<SheetPlace> ReadSheetPlace(ExcelApp& excel);

// "B4", "XFD1048576"; "R[2]C[1]" (relative to the active cell) when the
// place is not known.
std::string CellName(std::int64_t row, std::int64_t column);
std::string CellName(const std::optional<SheetPlace>& place, std::int64_t rowBy,
                     std::int64_t columnBy);

// What is said when the place cannot be read: nothing is written then.
inline constexpr std::string_view kPlaceUnreadText = "活动单元格的位置或工作表的大小未读到，什么也没有写入";

// Nothing when the extent fits at the place; else the message that says what
// the table needs, what room there is and what to do.
std::optional<std::string> NoRoomMessage(const SheetPlace& place, const TableExtent& needed);

}  // namespace plotmate
