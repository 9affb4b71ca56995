#pragma once
// The worksheet cursor as the exporting tools drive it: every move is
// ActiveCell.Offset(rows, columns).Activate and every write is
// ActiveCell.Value = text. Each is one action: when the host fails any call
// of it, the action is dropped (the active cell, or the cell, stays as it
// was) and the run goes on with the next one.

#include <cstdint>
#include <initializer_list>
#include <string>

#include "format/format_fixed.h"
#include "hosts/excel.h"

namespace plotmate {

class SheetCursor {
 public:
  SheetCursor(ExcelApp excel, std::int16_t decimals)
      : excel_(std::move(excel)), decimals_(decimals) {}

  void move(std::int32_t rows, std::int32_t columns);
  void write(const std::string& text);
  // Writes the texts into consecutive cells, the first at the cursor; the
  // cursor ends on the last.
  void writeAcross(std::initializer_list<const char*> texts);
  void writeNumber(double value) { write(CellText(value, decimals_)); }

 private:
  ExcelApp excel_;
  std::int16_t decimals_;
};

}  // namespace plotmate
