#include "measure/measure_row.h"

#include <vector>

#include "format/format_fixed.h"

namespace plotmate {

namespace {

bool on(std::int16_t flag) { return flag != 0; }

// The move that follows "one row down" after the value at `position` (0, 1,
// 2), so that the next value lands to its right and the last one leaves the
// cursor under the row's first cell.
void stepAfter(CursorScript& script, std::size_t position, const MeasureRow& row) {
  const bool f1 = on(row[0].flag), f2 = on(row[1].flag), f3 = on(row[2].flag);
  switch (position) {
    case 0:
      if (f2 || f3) script.move(-1, 1);
      break;
    case 1:
      if (f3) script.move(-1, 1);
      else if (f1) script.move(0, -1);
      break;
    default:
      if (f1 && f2) script.move(0, -2);
      else if (f1 || f2) script.move(0, -1);
      break;
  }
}

Result<void> writeToFile(OutputFile& file, const MeasureRow& row) {
  std::vector<double> values;
  for (const auto& v : row)
    if (on(v.flag)) values.push_back(v.value);
  return file.writeRecord(values);
}

}  // namespace

CursorScript MeasureRowScript(const MeasureRow& row, std::int16_t decimals) {
  CursorScript script;
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (!on(row[i].flag)) continue;
    script.writeNumber(row[i].value, decimals);
    script.move(1, 0);
    stepAfter(script, i, row);
  }
  return script;
}

Result<void> WriteMeasureRow(const MeasureTarget& target, MeasureRow row, std::int16_t decimals) {
  if (target.file) return writeToFile(*target.file, row);
  if (target.sheet)
    return PlayAtActiveCell(*target.sheet, MeasureRowScript(row, decimals), target.size, target.report);
  return fail(hr::kFail, "no worksheet and no output file to record in");
}

}  // namespace plotmate
