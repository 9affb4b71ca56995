#include "hosts/active_cell.h"

namespace plotmate {

Result<void> SetActiveCellExactText(ExcelApp& excel, std::string text) {
  auto cell = excel.activeCell();
  if (!cell) return std::unexpected(cell.error());
  return cell->setExactValue(Variant(std::move(text)));
}

Result<void> MoveActiveCell(ExcelApp& excel, std::int32_t rows, std::int32_t columns) {
  auto cell = excel.activeCell();
  if (!cell) return std::unexpected(cell.error());
  auto target = cell->offset(rows, columns);
  if (!target) return std::unexpected(target.error());
  return target->activate();
}

}  // namespace plotmate
