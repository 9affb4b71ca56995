#include "pline/sheet_cursor.h"

#include "hosts/active_cell.h"

namespace plotmate {

void SheetCursor::move(std::int32_t rows, std::int32_t columns) {
  (void)MoveActiveCell(excel_, rows, columns);
}

void SheetCursor::write(const std::string& text) { (void)SetActiveCellText(excel_, text); }

}  // namespace plotmate
