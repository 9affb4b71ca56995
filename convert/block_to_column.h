#pragma once
// Block-to-column: the cells of the selected block, read row by row or column
// by column, written as one list into the block's first column, starting on
// the first row below the block.

#include <cstdint>

#include "hosts/excel.h"

namespace plotmate {

// The selection is no cell range (a shape or chart is selected), or its
// position and size cannot be read.
inline constexpr const char* kWrongSelectionMessage = "对不起，您的选择区域不对！";
// The list would run past the sheet's last row.
inline constexpr const char* kColumnTooShortMessage =
    "选择区域下方的行数不够，无法把整块写成一列！";

// `readDirec` is the ReadDirec setting: not 0 reads row by row, 0 column by
// column. Each copy is one Cells read and one Cells write, in list order; the
// block, the selection and the active cell stay as they are. A selection that
// cannot be read or a list that would not fit in the sheet writes nothing and
// fails with one of the messages above; a host error part-way stops the copy,
// keeps what was written and is returned as the host gave it.
Result<void> BlockToColumn(ExcelApp& excel, std::int16_t readDirec);

}  // namespace plotmate
