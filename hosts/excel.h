#pragma once
// Typed access to the spreadsheet host: one short method per member the tools
// use, each a single late-bound call (or a short fixed chain) through
// Dispatch, so the same code drives the stand-in and the real Excel.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "hosts/dispatch.h"
#include "hosts/excel_codes.h"

namespace plotmate {

// The selection's first row and column (1-based) and its size; also any
// rectangle of cells.
struct SelectionGeometry {
  std::int32_t row = 0;
  std::int32_t column = 0;
  std::int32_t rows = 0;
  std::int32_t columns = 0;
  bool operator==(const SelectionGeometry&) const = default;
};

// The host's absolute Address of one rectangle: "$B$2", "$B$2:$C$3", whole
// columns "$A:$C", whole rows "$2:$5". Nothing for anything else (a range of
// several areas, a relative or foreign form): callers then ask member by member.
std::optional<SelectionGeometry> ParseAddress(std::string_view address);

// A value read from one cell as another cell must receive it to hold the
// same value: a text the host could parse into something else ("007", "1-2",
// "TRUE") gains a leading apostrophe, which keeps it text.
Variant ExactCellValue(Variant value);

class ExcelRange {
 public:
  explicit ExcelRange(DispatchPtr range) : range_(std::move(range)) {}

  // Value of a single cell (Empty when blank); a multi-cell range gives a grid.
  Result<Variant> value();
  Result<void> setValue(Variant value);
  // Value = a value read from another cell, so that the cell ends up holding
  // the same value: a text the host could parse into something else ("007",
  // "1-2", "TRUE") is written behind an apostrophe, which keeps it text.
  Result<void> setExactValue(Variant value);
  // The range's values in one call, as the `rows` x `columns` the range
  // spans (a 1 x 1 grid for one cell). Sized from the array the host
  // answers: of a larger one only the cells asked for are taken; a smaller
  // one fails, never read past its end.
  Result<VariantGrid> values(std::size_t rows, std::size_t columns);
  Result<void> setValues(VariantGrid values);

  // First row and column, 1-based.
  Result<std::int32_t> row();
  Result<std::int32_t> column();
  // Rows.Count and Columns.Count.
  Result<std::int32_t> rowCount();
  Result<std::int32_t> columnCount();

  // Address, read as the rectangle it names.
  Result<SelectionGeometry> area();

  Result<ExcelRange> offset(std::int32_t rows, std::int32_t columns);
  // The same top-left cell, rows x columns large.
  Result<ExcelRange> resize(std::int32_t rows, std::int32_t columns);
  // Cells(row, column) counted from this range's top-left cell.
  Result<ExcelRange> cells(std::int32_t row, std::int32_t column);
  Result<void> activate();
  Result<void> select();

  const DispatchPtr& object() const { return range_; }

 private:
  DispatchPtr range_;
};

class ExcelApp {
 public:
  explicit ExcelApp(DispatchPtr application) : app_(std::move(application)) {}

  Result<ExcelRange> activeCell();
  // When a shape or chart is selected, this object is no range: its first
  // range member (row(), value(), ...) fails.
  Result<ExcelRange> selection();
  Result<ExcelRange> cells(std::int32_t row, std::int32_t column);
  Result<ExcelRange> range(const ExcelRange& first, const ExcelRange& last);
  Result<ExcelRange> range(const std::string& address);
  // ActiveSheet.UsedRange.
  Result<ExcelRange> usedRange();
  // ActiveSheet.Rows.Count and ActiveSheet.Columns.Count: how far the active
  // sheet reaches (a workbook in compatibility mode has fewer of both).
  Result<SheetSize> sheetSize();

  // Cells(row, column).Value, read and written: two calls each.
  Result<Variant> cellValue(std::int32_t row, std::int32_t column);
  Result<void> setCellValue(std::int32_t row, std::int32_t column, Variant value);

  const DispatchPtr& object() const { return app_; }

 private:
  DispatchPtr app_;
};

// The selection read in two calls (Selection, then its Address) where the
// host allows, else member by member: Row, Column, Rows.Count and
// Columns.Count, each read its own action, so one the host does not answer
// leaves its 0 and the others go on. `block` is the selection's range when
// its Address gave the whole geometry: its Value then reads exactly the
// selected cells in one call. `refused` is the host's error when it refused
// Selection itself (a selection that is no cell range answers, and fails its
// members instead).
struct SelectionRead {
  SelectionGeometry geometry;
  std::optional<ExcelRange> block;
  std::optional<Error> refused;
};
SelectionRead ReadSelection(ExcelApp& excel);

}  // namespace plotmate
