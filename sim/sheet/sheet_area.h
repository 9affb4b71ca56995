#pragma once
// Cell positions and rectangular areas of one worksheet, and their A1-style
// texts ("B2", "$B$2", "B2:C3").

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "hosts/excel_codes.h"

namespace plotmate::sim {

// A cell by row and column, both 1-based as the host counts them.
struct CellRef {
  std::int32_t row = 1;
  std::int32_t column = 1;
  auto operator<=>(const CellRef&) const = default;
};

bool inSheet(CellRef cell, SheetSize size = {});

// A rectangle of cells from `first` (top-left) to `last` (bottom-right).
struct Area {
  CellRef first;
  CellRef last;

  static Area cell(CellRef c) { return {c, c}; }
  // The smallest area holding both cells, whichever corners they are.
  static Area spanning(CellRef a, CellRef b);
  static Area spanning(const Area& a, const Area& b);

  std::int64_t rows() const { return std::int64_t{last.row} - first.row + 1; }
  std::int64_t columns() const { return std::int64_t{last.column} - first.column + 1; }
  std::int64_t cellCount() const { return rows() * columns(); }
  bool contains(CellRef c) const;
  bool contains(const Area& inner) const;
  bool inSheet(SheetSize size = {}) const;
  // Moved by whole rows and columns; nullopt when any part leaves the sheet.
  std::optional<Area> shifted(std::int64_t rowBy, std::int64_t columnBy, SheetSize size = {}) const;
  bool operator==(const Area&) const = default;
};

// "A1", "$B$2", "xfd1048576": one cell; "B2:C3" an area, in any corner order.
std::optional<CellRef> parseCellText(std::string_view text);
std::optional<Area> parseAreaText(std::string_view text);

// "B", "AA", "XFD", and back (any case); nullopt past the last column.
std::string columnLetters(std::int32_t column);
std::optional<std::int32_t> parseColumnLetters(std::string_view letters);
// The host's default Address form: "$B$2" for one cell, "$B$2:$C$3" otherwise.
std::string absoluteAddress(const Area& area);

}  // namespace plotmate::sim
