#include "hosts/active_cell.h"

namespace plotmate {

Result<void> SetActiveCellExactText(ExcelApp& excel, std::string text) {
  PLOTMATE_TRY(cell, excel.activeCell());
  return cell->setExactValue(Variant(std::move(text)));
}

Result<void> MoveActiveCell(ExcelApp& excel, std::int32_t rows, std::int32_t columns) {
  PLOTMATE_TRY(cell, excel.activeCell());
  PLOTMATE_TRY(target, cell->offset(rows, columns));
  return target->activate();
}

}  // namespace plotmate
