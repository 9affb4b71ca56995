#include "convert/block_to_column.h"


namespace plotmate {

namespace {

// The selected block; counts in 32 bits (a block may span all 16,384 columns).
struct Block {
  std::int32_t row = 0;
  std::int32_t column = 0;
  std::int32_t rows = 0;
  std::int32_t columns = 0;
};

Result<Block> readBlock(ExcelRange& selection) {
  auto row = selection.row();
  auto column = selection.column();
  auto rows = selection.rowCount();
  auto columns = selection.columnCount();
  if (!row || !column || !rows || !columns || *row < 1 || *column < 1 || *rows < 1 || *columns < 1)
    return fail(hr::kFail, kWrongSelectionMessage);
  return Block{*row, *column, *rows, *columns};
}

// One copy: Cells(from).Value read, Cells(to).Value written with that value.
Result<void> copyCell(ExcelApp& excel, std::int32_t fromRow, std::int32_t fromColumn,
                      std::int32_t toRow, std::int32_t toColumn) {
  PLOTMATE_TRY(value, excel.cellValue(fromRow, fromColumn));
  PLOTMATE_TRY(target, excel.cells(toRow, toColumn));
  return target->setExactValue(std::move(*value));
}

// The whole block read with one Value and the list written with another, in
// the same order as the cell-by-cell copy. A refused call changes nothing:
// the one write is the last call.
Result<void> copyInBulk(ExcelApp& excel, ExcelRange& selection, const Block& block,
                        bool rowByRow) {
  const auto rows = static_cast<std::size_t>(block.rows);
  const auto columns = static_cast<std::size_t>(block.columns);
  PLOTMATE_TRY(source, selection.values(rows, columns));
  VariantGrid list(rows * columns, 1);
  std::size_t next = 0;
  for (std::size_t i = 0; i < (rowByRow ? rows : columns); ++i)
    for (std::size_t j = 0; j < (rowByRow ? columns : rows); ++j)
      list.cells[next++] = ExactCellValue(rowByRow ? source->at(i, j) : source->at(j, i));
  PLOTMATE_TRY(top, excel.cells(block.row + block.rows, block.column));
  PLOTMATE_TRY(target, top->resize(static_cast<std::int32_t>(list.rows), 1));
  return target->setValues(std::move(list));
}

}  // namespace

Result<void> BlockToColumn(ExcelApp& excel, std::int16_t readDirec) {
  auto selection = excel.selection();
  if (!selection) return fail(hr::kFail, kWrongSelectionMessage);
  // The block by its Address in one call, else member by member.
  auto area = selection->area();
  PLOTMATE_TRY(block, area
                          ? Result<Block>(Block{area->row, area->column, area->rows, area->columns})
                          : readBlock(*selection));
  const auto [r0, c0, nR, nC] = *block;

  // Checked before the first write, in 64 bits: rows x columns may exceed 2^31.
  // The sheet says how many rows it has (fewer in compatibility mode); a
  // sheet that does not say is not written to.
  PLOTMATE_TRY(sheet, excel.sheetSize());
  const std::int64_t lastRow = std::int64_t{r0} + nR + std::int64_t{nR} * nC - 1;
  if (lastRow > sheet->rows) return fail(hr::kFail, kColumnTooShortMessage);

  const bool rowByRow = readDirec != 0;
  // Cell by cell when the host refuses a bulk call, from the first cell again.
  if (area && copyInBulk(excel, *selection, *block, rowByRow)) return {};

  // Row by row, the outer loop walks rows and the inner one columns;
  // column by column the other way round. Either way the list index is
  // outer * inner + inner index.
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
