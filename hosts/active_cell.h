#pragma once
// The worksheet cursor as the tools drive it: every write goes to the active
// cell and every move activates the target cell, so the sheet's selection
// follows the writing. Each helper is one statement's worth of host calls;
// when a call fails the rest of that statement is skipped.

#include <cstdint>
#include <string>

#include "hosts/excel.h"

namespace plotmate {

// ActiveCell.Value = a text that must stay exactly that text in the cell.
Result<void> SetActiveCellExactText(ExcelApp& excel, std::string text);
// ActiveCell.Offset(rows, columns).Activate.
Result<void> MoveActiveCell(ExcelApp& excel, std::int32_t rows, std::int32_t columns);

}  // namespace plotmate
