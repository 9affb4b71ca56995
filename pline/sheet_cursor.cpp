#include "pline/sheet_cursor.h"

#include "format/format_fixed.h"

namespace plotmate {

std::string CellText(double& value, std::int16_t decimals) {
  std::string text = FormatFixed(value, kFieldWidth, decimals);
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

void SheetCursor::move(std::int32_t rows, std::int32_t columns) {
  if (auto cell = excel_.activeCell())
    if (auto target = cell->offset(rows, columns)) (void)target->activate();
}

void SheetCursor::write(const std::string& text) {
  if (auto cell = excel_.activeCell()) (void)cell->setText(text);
}

}  // namespace plotmate
