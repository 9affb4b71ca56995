#pragma once
// What a tool writes at the worksheet's active cell, recorded as the cursor
// steps it stands for (ActiveCell.Offset(rows, columns).Activate and
// ActiveCell.Value = value), then played against the host in one of two ways:
//
// - call by call: every step its own host calls, a failed one dropped;
// - in bulk: every run of fully written rows as one Range.Value of a 2-D
//   array, then the active cell (and the selection) set as the steps would
//   have left them. Any refused call sends the whole script down the call-by-
//   call path, from the start, so a fault leaves what it always left.

#include <cstdint>
#include <string>
#include <vector>

#include "hosts/excel.h"

namespace plotmate {

struct CursorStep {
  bool write = false;          // else a move
  std::int32_t rows = 0;       // a move's offset
  std::int32_t columns = 0;
  Variant value;               // a write's value, as the cell receives it
};

class CursorScript {
 public:
  void move(std::int32_t rows, std::int32_t columns) { steps_.push_back({false, rows, columns, {}}); }
  void write(Variant value) { steps_.push_back({true, 0, 0, std::move(value)}); }
  // Texts into consecutive cells, the first at the cursor; the cursor ends on the last.
  void writeAcross(std::initializer_list<const char*> texts);
  // A number as the value its CellText (PREC decimals) gives when typed with
  // "." as the decimal point, so the cell holds the same number in any locale.
  void writeNumber(double value, std::int16_t decimals);

  const std::vector<CursorStep>& steps() const { return steps_; }

 private:
  std::vector<CursorStep> steps_;
};

// Every step its own host calls; a failing one is dropped (its cell or the
// active cell stays as it was) and the next goes ahead. Returns the first failure.
Result<void> PlayCallByCall(ExcelApp& excel, const CursorScript& script);

// The script in bulk; on the first refused call, PlayCallByCall from the start.
// Returns what the path that finished returned.
Result<void> PlayAtActiveCell(ExcelApp& excel, const CursorScript& script);

}  // namespace plotmate
