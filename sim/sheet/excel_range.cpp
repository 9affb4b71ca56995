#include "sim/sheet/excel_range.h"

#include <limits>
#include <vector>

#include "sim/args.h"
#include "sim/sheet/cell_text.h"

namespace plotmate::sim {

namespace {

// Value reads and writes build one array of the whole range; the stand-in
// refuses ranges beyond this many cells (four whole columns) the way Excel
// fails on arrays larger than memory allows, instead of exhausting memory.
constexpr std::int64_t kMaxValueCells = std::int64_t{1} << 22;
constexpr std::int32_t kOverflow = static_cast<std::int32_t>(0x8002000Au);     // DISP_E_OVERFLOW
constexpr std::int32_t kOutOfMemory = static_cast<std::int32_t>(0x8007000Eu);  // E_OUTOFMEMORY

std::unexpected<Error> objectDefined() {
  return fail(xl::kObjectDefinedError, xl::kObjectDefinedText);
}

Result<void> checkValueSize(const Area& area) {
  if (area.cellCount() > kMaxValueCells) return fail(kOutOfMemory, "Not enough memory");
  return {};
}

// A column given by number or by its letters: Cells(2, "B").
Result<std::int32_t> columnArg(std::span<const Variant> args, std::size_t i) {
  if (hasArg(args, i)) {
    if (auto s = args[i].getIf<std::string>()) {
      if (auto column = parseColumnLetters(*s)) return *column;
    }
  }
  return argInt(args, i);
}

// The value to store for element (i, j) of the range from an array assigned
// to it, as Excel spreads arrays: a single row or column repeats along the
// range, and cells beyond a larger array's edge receive #N/A.
const Variant& spreadElement(const VariantGrid& grid, std::int64_t i, std::int64_t j) {
  static const Variant kNotAvailable = CellError{xl::kErrNA};
  auto r = static_cast<std::size_t>(grid.rows == 1 ? 0 : i);
  auto c = static_cast<std::size_t>(grid.columns == 1 ? 0 : j);
  if (r >= grid.rows || c >= grid.columns) return kNotAvailable;
  return grid.at(r, c);
}

VariantGrid asGrid(const Variant& v) {
  if (auto grid = v.getIf<VariantGrid>()) return *grid;
  VariantGrid out;
  if (auto list = v.getIf<VariantList>()) {
    out.rows = 1;
    out.columns = list->size();
    out.cells = *list;
  } else {
    out = VariantGrid(1, 1);
    out.at(0, 0) = v;
  }
  return out;
}

// A String lands in a cell as typed input would (see enteredValue()).
Variant asEntered(const Variant& v) {
  if (auto s = v.getIf<std::string>()) return enteredValue(*s);
  return v;
}

Result<Area> areaArg(std::span<Variant> args, std::size_t i) {
  if (!hasArg(args, i)) return fail(hr::kBadParamCount, "Invalid number of parameters");
  if (auto object = asObject(args[i])) {
    if (auto* range = dynamic_cast<const RangeObject*>(object.get())) return range->area();
    // A Range that arrived from across a process boundary: ask it where it is.
    PLOTMATE_TRY(address, object->get("Address"));
    if (auto text = address->getIf<std::string>()) {
      if (auto area = parseAreaText(*text)) return *area;
    }
    return objectDefined();
  }
  if (auto text = args[i].getIf<std::string>()) {
    if (auto area = parseAreaText(*text)) return *area;
  }
  return objectDefined();
}

}  // namespace

RangeObject::RangeObject(std::shared_ptr<HostContext> context, std::shared_ptr<Worksheet> sheet,
                         Area area, RangeUnit unit)
    : SimObject(std::move(context), "Range"), sheet_(std::move(sheet)), area_(area), unit_(unit) {}

const MemberTable<RangeObject>& RangeObject::members() {
  using R = RangeObject;
  static const MemberTable<R> table{
      {"Value", &R::getValue, &R::putValue},
      {"Value2", &R::getValue, &R::putValue},
      {"Row", &R::row},
      {"Column", &R::column},
      {"Rows", &R::rows},
      {"Columns", &R::columns},
      {"Count", &R::count},
      {"CountLarge", &R::countLarge},
      {"Offset", &R::offset},
      {"Resize", &R::resize},
      {"Cells", &R::cells},
      {"Item", &R::cells},
      {"Address", &R::address},
      {"Activate", nullptr, nullptr, &R::activate},
      {"Select", nullptr, nullptr, &R::select},
  };
  return table;
}

Result<Variant> RangeObject::invokeMember(std::string_view name, CallKind kind,
                                          std::span<Variant> args) {
  return members().invoke(*this, name, kind, args);
}

Variant RangeObject::rangeOver(const Area& area, RangeUnit unit) const {
  return std::make_shared<RangeObject>(sharedContext(), sheet_, area, unit);
}

// Value: one cell gives its value (Empty when blank); more give a rows x
// columns array. The optional RangeValueDataType argument is accepted and
// ignored: the stand-in keeps no dates or formats.
// A profile that answers wider arrays (WPS, as reported) gives one more row
// and column: the cells beyond the range, empty past the sheet's edge.
Result<Variant> RangeObject::getValue(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 1));
  if (area_.first == area_.last) return sheet_->value(area_.first);
  PLOTMATE_RETURN_IF_FAILED(checkValueSize(area_));
  const std::int64_t extra = profileOf(context(), HostKind::Spreadsheet).answersWiderArrays ? 1 : 0;
  VariantGrid grid(static_cast<std::size_t>(area_.rows() + extra),
                   static_cast<std::size_t>(area_.columns() + extra));
  const SheetSize size = sheet_->size();
  for (std::size_t i = 0; i < grid.rows; ++i)
    for (std::size_t j = 0; j < grid.columns; ++j) {
      const std::int64_t row = area_.first.row + static_cast<std::int64_t>(i);
      const std::int64_t column = area_.first.column + static_cast<std::int64_t>(j);
      if (row <= size.rows && column <= size.columns)
        grid.at(i, j) = sheet_->value({static_cast<std::int32_t>(row), static_cast<std::int32_t>(column)});
    }
  return grid;
}

// Value = x: a single value fills every cell; an array is spread over the
// range (spreadElement). Every element is checked before the first cell
// changes, so a refused assignment leaves the sheet as it was.
Result<Variant> RangeObject::putValue(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 2));
  if (args.back().isMissing()) return fail(hr::kBadParamCount, "Invalid number of parameters");
  PLOTMATE_RETURN_IF_FAILED(checkValueSize(area_));
  VariantGrid source = asGrid(args.back());
  if (source.rows == 0 || source.columns == 0)
    return fail(hr::kTypeMismatch, "Type mismatch: empty array");
  std::vector<Variant> entered;
  entered.reserve(static_cast<std::size_t>(area_.cellCount()));
  for (std::int64_t i = 0; i < area_.rows(); ++i) {
    for (std::int64_t j = 0; j < area_.columns(); ++j) {
      entered.push_back(asEntered(spreadElement(source, i, j)));
      PLOTMATE_RETURN_IF_FAILED(Worksheet::checkStorable(entered.back()));
    }
  }
  auto next = entered.begin();
  for (std::int32_t r = area_.first.row; r <= area_.last.row; ++r)
    for (std::int32_t c = area_.first.column; c <= area_.last.column; ++c)
      (void)sheet_->setValue({r, c}, *next++);
  return Variant{};
}

Result<Variant> RangeObject::row(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 0));
  return area_.first.row;
}

Result<Variant> RangeObject::column(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 0));
  return area_.first.column;
}

Result<Variant> RangeObject::rows(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 0));
  return rangeOver(area_, RangeUnit::Rows);
}

Result<Variant> RangeObject::columns(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 0));
  return rangeOver(area_, RangeUnit::Columns);
}

// Count is a Long: like Excel, the count of more cells than a Long holds
// (Cells.Count on a whole sheet) overflows; CountLarge gives it as a number.
Result<Variant> RangeObject::count(std::span<Variant> args) {
  auto large = countLarge(args);
  if (!large) return large;
  double n = *asDouble(*large);
  if (n > std::numeric_limits<std::int32_t>::max()) return fail(kOverflow, "Overflow");
  return static_cast<std::int32_t>(n);
}

Result<Variant> RangeObject::countLarge(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 0));
  switch (unit_) {
    case RangeUnit::Rows:
      return static_cast<double>(area_.rows());
    case RangeUnit::Columns:
      return static_cast<double>(area_.columns());
    case RangeUnit::Cells:
      break;
  }
  return static_cast<double>(area_.cellCount());
}

// Offset([rows][, columns]): the same shape moved; both default to 0. A range
// that would reach past any edge of the sheet raises error 1004, as in Excel.
Result<Variant> RangeObject::offset(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 2));
  std::int32_t by[2] = {0, 0};
  for (std::size_t i = 0; i < 2; ++i) {
    if (!hasArg(args, i)) continue;
    PLOTMATE_TRY(n, argInt(args, i));
    by[i] = *n;
  }
  auto moved = area_.shifted(by[0], by[1], sheet_->size());
  if (!moved) return objectDefined();
  return rangeOver(*moved);
}

// Resize([rowSize][, columnSize]): the same top-left cell, that many rows and
// columns; an omitted size keeps the range's own. A size below 1, or a range
// reaching past the sheet's last row or column, raises error 1004 as in Excel.
Result<Variant> RangeObject::resize(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 2));
  std::int64_t size[2] = {area_.rows(), area_.columns()};
  for (std::size_t i = 0; i < 2; ++i) {
    if (!hasArg(args, i)) continue;
    PLOTMATE_TRY(n, argInt(args, i));
    if (*n < 1) return objectDefined();
    size[i] = *n;
  }
  auto corner = Area::cell(area_.first).shifted(size[0] - 1, size[1] - 1, sheet_->size());
  if (!corner) return objectDefined();
  return rangeOver(Area{area_.first, corner->first});
}

// Activate and Select answer True, as Excel's do (see Worksheet for the rules).
Result<Variant> RangeObject::activate(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 0));
  sheet_->activate(area_);
  return true;
}

Result<Variant> RangeObject::select(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 1));  // [Replace]
  sheet_->select(area_);
  return true;
}

Result<Variant> RangeObject::cells(std::span<Variant> args) {
  return cellsOf(sharedContext(), sheet_, area_, args);
}

// Address: the absolute A1 form; its optional formatting arguments are accepted and ignored.
Result<Variant> RangeObject::address(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 5));
  return absoluteAddress(area_);
}

Result<Variant> cellsOf(const std::shared_ptr<HostContext>& context,
                        const std::shared_ptr<Worksheet>& sheet, const Area& base,
                        std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 2));
  if (!hasArg(args, 0) && !hasArg(args, 1))
    return Variant(std::make_shared<RangeObject>(context, sheet, base));
  std::int64_t rowBy = 0, columnBy = 0;
  if (!hasArg(args, 1)) {
    // Cells(index): counted row by row across the width of `base`.
    PLOTMATE_TRY(index, argInt(args, 0));
    if (*index < 1) return objectDefined();
    rowBy = (std::int64_t{*index} - 1) / base.columns();
    columnBy = (std::int64_t{*index} - 1) % base.columns();
  } else {
    PLOTMATE_TRY(row, argInt(args, 0));
    PLOTMATE_TRY(column, columnArg(args, 1));
    rowBy = std::int64_t{*row} - 1;
    columnBy = std::int64_t{*column} - 1;
  }
  auto cell = Area::cell(base.first).shifted(rowBy, columnBy, sheet->size());
  if (!cell) return objectDefined();
  return Variant(std::make_shared<RangeObject>(context, sheet, *cell));
}

Result<Variant> rangeOf(const std::shared_ptr<HostContext>& context,
                        const std::shared_ptr<Worksheet>& sheet, std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 2));
  PLOTMATE_TRY(area, areaArg(args, 0));
  if (hasArg(args, 1)) {
    PLOTMATE_TRY(second, areaArg(args, 1));
    area = Area::spanning(*area, *second);
  }
  // "IW1" names no cell of a sheet 256 columns wide.
  if (!area->inSheet(sheet->size())) return objectDefined();
  return Variant(std::make_shared<RangeObject>(context, sheet, *area));
}

}  // namespace plotmate::sim
