#include "convert/block_to_column.h"

#include "hosts/excel_codes.h"

namespace plotmate {

namespace {

// The selected block; counts in 32 bits (a block may span all 16,384 columns).
struct Block {
  std::int32_t row = 0;
  std::int32_t column = 0;
  std::int32_t rows = 0;
  std::int32_t columns = 0;
};

Result<Block> readSelection(ExcelApp& excel) {
  auto selection = excel.selection();
  if (!selection) return fail(hr::kFail, kWrongSelectionMessage);
  auto row = selection->row();
  auto column = selection->column();
  auto rows = selection->rowCount();
  auto columns = selection->columnCount();
  if (!row || !column || !rows || !columns || *row < 1 || *column < 1 || *rows < 1 || *columns < 1)
    return fail(hr::kFail, kWrongSelectionMessage);
  return Block{*row, *column, *rows, *columns};
}

// One copy: Cells(from).Value read, Cells(to).Value written with that value.
Result<void> copyCell(ExcelApp& excel, std::int32_t fromRow, std::int32_t fromColumn,
                      std::int32_t toRow, std::int32_t toColumn) {
  auto value = excel.cellValue(fromRow, fromColumn);
  if (!value) return std::unexpected(value.error());
  auto target = excel.cells(toRow, toColumn);
  if (!target) return std::unexpected(target.error());
  return target->setExactValue(std::move(*value));
}

}  // namespace

Result<void> BlockToColumn(ExcelApp& excel, std::int16_t readDirec) {
  auto block = readSelection(excel);
  if (!block) return std::unexpected(block.error());
  const auto [r0, c0, nR, nC] = *block;

  // Checked before the first write, in 64 bits: rows x columns may exceed 2^31.
  const std::int64_t lastRow = std::int64_t{r0} + nR + std::int64_t{nR} * nC - 1;
  if (lastRow > xl::kMaxRow) return fail(hr::kFail, kColumnTooShortMessage);

  // Row by row, the outer loop walks rows and the inner one columns;
  // column by column the other way round. Either way the list index is
  // outer * inner + inner index.
  const bool rowByRow = readDirec != 0;
  const std::int32_t outer = rowByRow ? nR : nC;
  const std::int32_t inner = rowByRow ? nC : nR;
  for (std::int32_t i = 0; i < outer; ++i) {
    for (std::int32_t j = 0; j < inner; ++j) {
      const std::int32_t fromRow = rowByRow ? r0 + i : r0 + j;
      const std::int32_t fromColumn = rowByRow ? c0 + j : c0 + i;
      // Fits: the last target row was checked against the sheet above.
      const auto toRow = static_cast<std::int32_t>(r0 + nR + std::int64_t{i} * inner + j);
      if (auto copied = copyCell(excel, fromRow, fromColumn, toRow, c0); !copied) return copied;
    }
  }
  return {};
}

}  // namespace plotmate
