#pragma once
// What a tool writes at the worksheet's active cell, recorded as the cursor
// steps it stands for (ActiveCell.Offset(rows, columns).Activate and
// ActiveCell.Value = value), then played against the host in one of two ways:
//
// - call by call: every step its own host calls, each counted from the cell
//   that was active when the script began, so a refused step is dropped
//   without moving any later one (no write lands beside its own cell);
// - in bulk: every run of fully written rows as one Range.Value of a 2-D
//   array, then the active cell (and the selection) set as the steps would
//   have left them. Any refused call sends the whole script down the call-by-
//   call path, from the start, so a fault leaves what it always left.
//
// The steps the host refused call by call are told to the run's report.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "hosts/excel.h"
#include "hosts/platform.h"
#include "hosts/sheet_room.h"

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

  // The steps of `next`, which starts where this script ends.
  void append(const CursorScript& next);

  const std::vector<CursorStep>& steps() const { return steps_; }
  // Every cell the script writes or activates, and its start.
  TableExtent extent() const;
  // Where the active cell ends, counted from the start.
  std::pair<std::int64_t, std::int64_t> end() const;

 private:
  std::vector<CursorStep> steps_;
};

// Every step its own host calls, counted from the active cell; a failing one
// is dropped (its cell, or the active cell, stays as it was), told to
// `report` (when given) and the next goes ahead. Returns the first failure.
Result<void> PlayCallByCall(ExcelApp& excel, const CursorScript& script, Platform* report = nullptr);

// The script in bulk on a sheet of `size`; on the first refused call,
// PlayCallByCall from the start. Without the size (the sheet did not say it),
// call by call only: the host then refuses every step past its edges.
// Returns what the path that finished returned.
Result<void> PlayAtActiveCell(ExcelApp& excel, const CursorScript& script,
                              const std::optional<SheetSize>& size, Platform* report = nullptr);

// A table at the active cell, only when the whole of it fits: the active
// cell's place and the sheet's size are read first. Returns the message that
// says why, without writing anything, when it does not fit.
std::optional<std::string> WriteTableWhereItFits(ExcelApp& excel, const CursorScript& script,
                                                 Platform& report);

}  // namespace plotmate
