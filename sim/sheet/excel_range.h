#pragma once
// The spreadsheet stand-in's Range object (class "Range"), and the Cells and
// Range look-ups that the application and the sheet objects share.

#include <memory>

#include "sim/sheet/worksheet.h"
#include "sim/sim_object.h"

namespace plotmate::sim {

// What a range's Count counts: Range.Rows and Range.Columns are ranges over
// the same cells whose Count is their number of rows or columns.
enum class RangeUnit { Cells, Rows, Columns };

class RangeObject final : public SimObject {
 public:
  RangeObject(std::shared_ptr<HostContext> context, std::shared_ptr<Worksheet> sheet, Area area,
              RangeUnit unit = RangeUnit::Cells);
  const Area& area() const { return area_; }

 protected:
  Result<Variant> invokeMember(std::string_view name, CallKind kind,
                               std::span<Variant> args) override;

 private:
  static const MemberTable<RangeObject>& members();

  Result<Variant> getValue(std::span<Variant> args);
  Result<Variant> putValue(std::span<Variant> args);
  Result<Variant> row(std::span<Variant> args);
  Result<Variant> column(std::span<Variant> args);
  Result<Variant> rows(std::span<Variant> args);
  Result<Variant> columns(std::span<Variant> args);
  Result<Variant> count(std::span<Variant> args);
  Result<Variant> countLarge(std::span<Variant> args);
  Result<Variant> offset(std::span<Variant> args);
  Result<Variant> resize(std::span<Variant> args);
  Result<Variant> activate(std::span<Variant> args);
  Result<Variant> select(std::span<Variant> args);
  Result<Variant> cells(std::span<Variant> args);
  Result<Variant> address(std::span<Variant> args);

  Variant rangeOver(const Area& area, RangeUnit unit = RangeUnit::Cells) const;

  std::shared_ptr<Worksheet> sheet_;
  Area area_;
  RangeUnit unit_;
};

// Cells(), Cells(index) and Cells(row, column) counted from the top-left cell
// of `base` (Application.Cells: the whole sheet). Offsets may reach outside
// `base` (Range("B2").Cells(3, 1) is B4, Cells(0, 1) the row above), never
// outside the sheet.
Result<Variant> cellsOf(const std::shared_ptr<HostContext>& context,
                        const std::shared_ptr<Worksheet>& sheet, const Area& base,
                        std::span<Variant> args);
// Range(first[, last]): A1 texts ("B2", "B2:C3") or Range objects; with two
// arguments, the rectangle spanning both.
Result<Variant> rangeOf(const std::shared_ptr<HostContext>& context,
                        const std::shared_ptr<Worksheet>& sheet, std::span<Variant> args);

}  // namespace plotmate::sim
