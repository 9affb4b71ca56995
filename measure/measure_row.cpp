#include "measure/measure_row.h"

#include <vector>

#include "format/format_fixed.h"
#include "hosts/active_cell.h"

namespace plotmate {

namespace {

bool on(std::int16_t flag) { return flag != 0; }

// Keeps the first failure of a row whose steps all go ahead regardless.
void keepFirst(Result<void>& first, Result<void> step) {
  if (first && !step) first = std::move(step);
}

// The move that follows "one row down" after the value at `position` (0, 1,
// 2), so that the next value lands to its right and the last one leaves the
// cursor under the row's first cell.
void stepAfter(ExcelApp& excel, std::size_t position, const MeasureRow& row,
               Result<void>& first) {
  const bool f1 = on(row[0].flag), f2 = on(row[1].flag), f3 = on(row[2].flag);
  switch (position) {
    case 0:
      if (f2 || f3) keepFirst(first, MoveActiveCell(excel, -1, 1));
      break;
    case 1:
      if (f3) keepFirst(first, MoveActiveCell(excel, -1, 1));
      else if (f1) keepFirst(first, MoveActiveCell(excel, 0, -1));
      break;
    default:
      if (f1 && f2) keepFirst(first, MoveActiveCell(excel, 0, -2));
      else if (f1 || f2) keepFirst(first, MoveActiveCell(excel, 0, -1));
      break;
  }
}

Result<void> writeToSheet(ExcelApp& excel, MeasureRow row, std::int16_t decimals) {
  Result<void> first;
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (!on(row[i].flag)) continue;
    keepFirst(first, SetActiveCellText(excel, CellText(row[i].value, decimals)));
    keepFirst(first, MoveActiveCell(excel, 1, 0));
    stepAfter(excel, i, row, first);
  }
  return first;
}

Result<void> writeToFile(OutputFile& file, const MeasureRow& row) {
  std::vector<double> values;
  for (const auto& v : row)
    if (on(v.flag)) values.push_back(v.value);
  return file.writeRecord(values);
}

}  // namespace

Result<void> WriteMeasureRow(const MeasureTarget& target, MeasureRow row, std::int16_t decimals) {
  if (target.file) return writeToFile(*target.file, row);
  if (target.sheet) return writeToSheet(*target.sheet, row, decimals);
  return fail(hr::kFail, "no worksheet and no output file to record in");
}

}  // namespace plotmate
