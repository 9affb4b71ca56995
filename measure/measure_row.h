#pragma once
// WriteMeasureRow: up to three measured values as one worksheet row at the
// active cell, or as one record line of the run's output file.

#include <array>
#include <cstdint>
#include <string>

#include <optional>

#include "format/output_file.h"
#include "hosts/cursor_script.h"
#include "hosts/excel.h"
#include "hosts/platform.h"

namespace plotmate {

// A value and the setting that switches it on (on when not 0).
struct MeasureValue {
  double value = 0;
  std::int16_t flag = 0;
};
using MeasureRow = std::array<MeasureValue, 3>;

// Where a run's rows go: the output file when the run opened one, else the
// worksheet of `sheet`, as large as `size` says (unknown: cell by cell).
// Cells the host refuses are told to `report` when there is one.
struct MeasureTarget {
  ExcelApp* sheet = nullptr;
  OutputFile* file = nullptr;
  std::optional<SheetSize> size;
  Platform* report = nullptr;
};

// The cursor steps of one worksheet row.
CursorScript MeasureRowScript(const MeasureRow& row, std::int16_t decimals);

// Worksheet: the values that are on fill consecutive cells of the active
// cell's row, in order, and the active cell ends one row below where it
// started (it stays put when none is on). Every write and move is attempted
// even after one fails: a failed write leaves its cell and the cursor still
// moves. File: one line of the values that are on (an empty line when none
// is). Returns the first failure, for callers that cannot go on without the
// row (a file that took no line, an area that never reached its cell).
Result<void> WriteMeasureRow(const MeasureTarget& target, MeasureRow row, std::int16_t decimals);

}  // namespace plotmate
