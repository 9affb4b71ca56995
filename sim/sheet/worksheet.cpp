#include "sim/sheet/worksheet.h"

#include <algorithm>
#include <cmath>

#include "sim/sheet/cell_text.h"

namespace plotmate::sim {

namespace {

const Variant kEmptyCell;

}  // namespace

const Variant& Worksheet::value(CellRef cell) const {
  auto it = cells_.find(cell);
  return it == cells_.end() ? kEmptyCell : it->second;
}

Result<void> Worksheet::checkStorable(const Variant& value) {
  if (value.isEmpty() || value.is<std::string>() || value.is<bool>()) return {};
  if (auto e = value.getIf<CellError>()) {
    if (errorName(e->code)) return {};
    return fail(hr::kInvalidArg, "Unknown worksheet error value " + std::to_string(e->code));
  }
  if (auto d = asDouble(value)) {
    if (std::isfinite(*d)) return {};
    return fail(hr::kInvalidArg, "A cell cannot hold an infinite or undefined number");
  }
  return fail(hr::kTypeMismatch,
              "Type mismatch: a cell holds a number, text, boolean or error value");
}

Result<void> Worksheet::setValue(CellRef cell, const Variant& value) {
  if (!inSheet(cell, size_)) return fail(xl::kObjectDefinedError, xl::kObjectDefinedText);
  if (auto ok = checkStorable(value); !ok) return ok;
  if (value.isEmpty()) {
    cells_.erase(cell);
  } else if (value.is<bool>() || !asDouble(value)) {
    cells_[cell] = value;
  } else {
    double d = *asDouble(value);
    cells_[cell] = d == 0 ? 0.0 : d;  // the host keeps every number as a double, never -0
  }
  return {};
}

Result<void> Worksheet::enterText(CellRef cell, std::string_view text) {
  return setValue(cell, enteredValue(text));
}

std::optional<Area> Worksheet::usedArea() const {
  if (cells_.empty()) return std::nullopt;
  // Cells are ordered row by row: the rows are the ends, the columns need a scan.
  Area area{cells_.begin()->first, cells_.rbegin()->first};
  for (const auto& [cell, value] : cells_) {
    area.first.column = std::min(area.first.column, cell.column);
    area.last.column = std::max(area.last.column, cell.column);
  }
  return area;
}

void Worksheet::select(const Area& area) {
  selection_ = area;
  active_ = area.first;
  selectedObject_.reset();
}

void Worksheet::activate(const Area& area) {
  if (!selectedObject_ && selection_.contains(area)) {
    active_ = area.first;
    return;
  }
  select(area);
}

}  // namespace plotmate::sim
