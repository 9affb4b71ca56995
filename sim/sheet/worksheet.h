#pragma once
// The spreadsheet stand-in's data: one worksheet of sparse cells, its active
// cell and its selection. Pure data plus the host's rules for moving the
// cursor; the automation objects live in excel_objects.h.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "hosts/variant.h"
#include "sim/sheet/sheet_area.h"

namespace plotmate::sim {

class Worksheet {
 public:
  // A cell's value: Empty when nothing was ever stored there.
  const Variant& value(CellRef cell) const;
  // Stores a number (any numeric kind, kept as double), text, boolean or error
  // value; Empty clears the cell. Fails, changing nothing, for a cell outside
  // the sheet, a number that is not finite, an unknown error code or any
  // other kind (arrays, objects, omitted arguments).
  Result<void> setValue(CellRef cell, const Variant& value);
  // Checks what setValue would refuse, without storing anything.
  static Result<void> checkStorable(const Variant& value);
  // Stores a text the way the host stores typed input (see enteredValue()).
  Result<void> enterText(CellRef cell, std::string_view text);

  // Every non-empty cell, row by row.
  const std::map<CellRef, Variant>& cells() const { return cells_; }
  // The smallest area holding every non-empty cell; nullopt on an empty sheet.
  std::optional<Area> usedArea() const;

  // Rows.Count and Columns.Count of the sheet; every cell and move stays inside.
  SheetSize size() const { return size_; }
  void setSize(SheetSize size) { size_ = size; }
  Area whole() const { return {{1, 1}, {size_.rows, size_.columns}}; }

  CellRef activeCell() const { return active_; }
  const Area& selection() const { return selection_; }
  // A drawing object (shape, chart) selected instead of cells; the Selection
  // is then no cell range. Selecting or activating cells clears it.
  const std::optional<std::string>& selectedObject() const { return selectedObject_; }
  void selectObject(std::string name) { selectedObject_ = std::move(name); }

  // The area becomes the selection and its top-left cell the active cell.
  // (Range.Select: the reference's own Activate example selects A1:C3 and must
  // then activate B2 to make it active, so selecting does not keep it.)
  void select(const Area& area);
  // Range.Activate: an area inside the current selection only moves the active
  // cell to its top-left cell; any other area is selected as by select().
  void activate(const Area& area);

 private:
  std::map<CellRef, Variant> cells_;
  SheetSize size_;
  CellRef active_{1, 1};
  Area selection_ = Area::cell({1, 1});
  std::optional<std::string> selectedObject_;
};

}  // namespace plotmate::sim
