#include "pline/sheet_cursor.h"

#include "hosts/active_cell.h"

namespace plotmate {

void SheetCursor::move(std::int32_t rows, std::int32_t columns) {
  (void)MoveActiveCell(excel_, rows, columns);
}

void SheetCursor::write(const std::string& text) { (void)SetActiveCellText(excel_, text); }

void SheetCursor::writeAcross(std::initializer_list<const char*> texts) {
  bool first = true;
  for (const char* text : texts) {
    if (!first) move(0, 1);
    first = false;
    write(text);
  }
}

}  // namespace plotmate
