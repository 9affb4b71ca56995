#pragma once
// The worksheet cursor as the exporting tools drive it: moves
// (ActiveCell.Offset(rows, columns).Activate) and writes (ActiveCell.Value),
// recorded for one table and then played against the host in bulk, or call
// by call when the host refuses the bulk form (hosts/cursor_script.h).

#include <cstdint>
#include <initializer_list>
#include <string>

#include "hosts/cursor_script.h"

namespace plotmate {

class SheetCursor {
 public:
  explicit SheetCursor(std::int16_t decimals) : decimals_(decimals) {}

  void move(std::int32_t rows, std::int32_t columns) { script_.move(rows, columns); }
  void write(const std::string& text) { script_.write(Variant(text)); }
  // Writes the texts into consecutive cells, the first at the cursor; the
  // cursor ends on the last.
  void writeAcross(std::initializer_list<const char*> texts) { script_.writeAcross(texts); }
  void writeNumber(double value) { script_.writeNumber(value, decimals_); }

  const CursorScript& script() const { return script_; }

 private:
  std::int16_t decimals_;
  CursorScript script_;
};

}  // namespace plotmate
