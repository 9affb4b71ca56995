#include "hosts/excel.h"

#include <algorithm>

#include "hosts/answers.h"
#include "hosts/excel_codes.h"

namespace plotmate {

namespace {

Result<ExcelRange> rangeOf(Result<DispatchPtr> object) {
  return answerObject<ExcelRange>(std::move(object));
}
Result<std::int32_t> wholeNumber(const Result<Variant>& value) { return answerWholeNumber(value); }

Result<std::int32_t> countOf(Dispatch& range, std::string_view collection) {
  PLOTMATE_TRY(items, getObject(range, collection));
  return wholeNumber((*items)->get("Count"));
}

// Whether the host, taking `text` as typed input, might store something other
// than that text: numbers, dates, times, fractions and percentages all need a
// digit, formulas and signs have a leading mark, booleans are two words.
// Erring towards yes costs only an apostrophe the user never sees in the cell.
bool hostMayReinterpret(std::string_view text) {
  if (text.empty()) return true;  // "" would clear the cell
  if (std::string_view("'=+-@#").find(text.front()) != std::string_view::npos) return true;
  if (std::ranges::any_of(text, [](char c) { return c >= '0' && c <= '9'; })) return true;
  return equalsNoCase(text, "TRUE") || equalsNoCase(text, "FALSE");
}

// "$AB$12" or "AB12" split at `text`'s front: the column letters and the row
// digits, each possibly absent; advances `text` past what it took.
std::int32_t takeNumber(std::string_view& text, bool letters) {
  if (!text.empty() && text.front() == '$') text.remove_prefix(1);
  std::int64_t n = 0;
  std::size_t used = 0;
  for (char ch : text) {
    const bool isLetter = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
    const bool isDigit = ch >= '0' && ch <= '9';
    if (letters ? !isLetter : !isDigit) break;
    n = letters ? n * 26 + ((ch | 0x20) - 'a' + 1) : n * 10 + (ch - '0');
    if (n > xl::kMaxRow) return -1;
    ++used;
  }
  text.remove_prefix(used);
  if (used > 0 && n == 0) return -1;  // row 0 or no column at all
  return static_cast<std::int32_t>(n);
}

struct Corner {
  std::int32_t row = 0;     // 0: a whole column
  std::int32_t column = 0;  // 0: a whole row
};

std::optional<Corner> parseCorner(std::string_view text) {
  Corner c;
  c.column = takeNumber(text, true);
  c.row = takeNumber(text, false);
  if (!text.empty() || c.row < 0 || c.column < 0 || c.column > xl::kMaxColumn ||
      (c.row == 0 && c.column == 0))
    return std::nullopt;
  return c;
}

}  // namespace

std::optional<SelectionGeometry> ParseAddress(std::string_view address) {
  const auto colon = address.find(':');
  auto first = parseCorner(address.substr(0, colon));
  auto last = colon == std::string_view::npos ? first : parseCorner(address.substr(colon + 1));
  if (!first || !last) return std::nullopt;
  // Both corners whole columns, both whole rows, or both cells.
  if ((first->row == 0) != (last->row == 0) || (first->column == 0) != (last->column == 0))
    return std::nullopt;
  if (colon == std::string_view::npos && (first->row == 0 || first->column == 0))
    return std::nullopt;
  const std::int32_t top = first->row == 0 ? 1 : first->row;
  const std::int32_t bottom = last->row == 0 ? xl::kMaxRow : last->row;
  const std::int32_t left = first->column == 0 ? 1 : first->column;
  const std::int32_t right = last->column == 0 ? xl::kMaxColumn : last->column;
  if (bottom < top || right < left) return std::nullopt;
  return SelectionGeometry{top, left, bottom - top + 1, right - left + 1};
}

Result<Variant> ExcelRange::value() {
  return orNothing(range_).get("Value");
}

Result<void> ExcelRange::setValue(Variant value) {
  return orNothing(range_).put("Value", std::move(value));
}

Variant ExactCellValue(Variant value) {
  if (auto text = value.getIf<std::string>(); text && hostMayReinterpret(*text))
    return Variant("'" + *text);
  return value;
}

Result<void> ExcelRange::setExactValue(Variant value) {
  return setValue(ExactCellValue(std::move(value)));
}

namespace {

// The top-left `rows` x `columns` of a grid at least that large.
Result<VariantGrid> cornerOf(VariantGrid grid, std::size_t rows, std::size_t columns) {
  if (grid.rows < rows || grid.columns < columns)
    return fail(hr::kTypeMismatch, "Type mismatch: the range's values came as " + std::to_string(grid.rows) +
                                       " x " + std::to_string(grid.columns) + " cells");
  if (grid.rows == rows && grid.columns == columns) return grid;
  VariantGrid corner(rows, columns);
  for (std::size_t r = 0; r < rows; ++r)
    for (std::size_t c = 0; c < columns; ++c) corner.at(r, c) = std::move(grid.at(r, c));
  return corner;
}

}  // namespace

Result<VariantGrid> ExcelRange::values(std::size_t rows, std::size_t columns) {
  PLOTMATE_TRY(v, value());
  if (auto grid = v->getIf<VariantGrid>()) return cornerOf(std::move(*grid), rows, columns);
  if (v->is<VariantList>() || v->is<DispatchPtr>() || v->isMissing())
    return fail(hr::kTypeMismatch, "Type mismatch: a range value is " + describe(*v));
  VariantGrid one(1, 1);
  one.at(0, 0) = std::move(*v);
  return cornerOf(std::move(one), rows, columns);
}

Result<void> ExcelRange::setValues(VariantGrid values) {
  return setValue(Variant(std::move(values)));
}

Result<std::int32_t> ExcelRange::row() {
  return wholeNumber(orNothing(range_).get("Row"));
}

Result<std::int32_t> ExcelRange::column() {
  return wholeNumber(orNothing(range_).get("Column"));
}

Result<std::int32_t> ExcelRange::rowCount() {
  return countOf(orNothing(range_), "Rows");
}

Result<std::int32_t> ExcelRange::columnCount() {
  return countOf(orNothing(range_), "Columns");
}

Result<SelectionGeometry> ExcelRange::area() {
  PLOTMATE_TRY(address, answerText(orNothing(range_).get("Address")));
  if (auto area = ParseAddress(*address)) return *area;
  return fail(hr::kTypeMismatch, "Not one rectangle of cells: " + *address);
}

Result<ExcelRange> ExcelRange::resize(std::int32_t rows, std::int32_t columns) {
  return rangeOf(getObject(orNothing(range_), "Resize", {rows, columns}));
}

Result<ExcelRange> ExcelRange::offset(std::int32_t rows, std::int32_t columns) {
  return rangeOf(getObject(orNothing(range_), "Offset", {rows, columns}));
}

Result<ExcelRange> ExcelRange::cells(std::int32_t row, std::int32_t column) {
  return rangeOf(getObject(orNothing(range_), "Cells", {row, column}));
}

Result<void> ExcelRange::activate() {
  PLOTMATE_RETURN_IF_FAILED(orNothing(range_).call("Activate"));
  return {};
}

Result<void> ExcelRange::select() {
  PLOTMATE_RETURN_IF_FAILED(orNothing(range_).call("Select"));
  return {};
}

Result<ExcelRange> ExcelApp::activeCell() {
  return rangeOf(getObject(orNothing(app_), "ActiveCell"));
}

Result<ExcelRange> ExcelApp::selection() {
  return rangeOf(getObject(orNothing(app_), "Selection"));
}

Result<ExcelRange> ExcelApp::cells(std::int32_t row, std::int32_t column) {
  return rangeOf(getObject(orNothing(app_), "Cells", {row, column}));
}

Result<ExcelRange> ExcelApp::range(const ExcelRange& first, const ExcelRange& last) {
  return rangeOf(getObject(orNothing(app_), "Range", {first.object(), last.object()}));
}

Result<ExcelRange> ExcelApp::range(const std::string& address) {
  return rangeOf(getObject(orNothing(app_), "Range", {address}));
}

Result<ExcelRange> ExcelApp::usedRange() {
  PLOTMATE_TRY(sheet, getObject(orNothing(app_), "ActiveSheet"));
  return rangeOf(getObject(**sheet, "UsedRange"));
}

Result<SheetSize> ExcelApp::sheetSize() {
  PLOTMATE_TRY(sheet, getObject(orNothing(app_), "ActiveSheet"));
  PLOTMATE_TRY(rows, countOf(**sheet, "Rows"));
  PLOTMATE_TRY(columns, countOf(**sheet, "Columns"));
  if (*rows < 1 || *columns < 1) return fail(hr::kTypeMismatch, "A sheet without rows or columns");
  return SheetSize{*rows, *columns};
}

Result<Variant> ExcelApp::cellValue(std::int32_t row, std::int32_t column) {
  PLOTMATE_TRY(cell, cells(row, column));
  return cell->value();
}

Result<void> ExcelApp::setCellValue(std::int32_t row, std::int32_t column, Variant value) {
  PLOTMATE_TRY(cell, cells(row, column));
  return cell->setValue(std::move(value));
}

namespace {

SelectionGeometry geometryOf(ExcelRange& selection) {
  SelectionGeometry g;
  if (auto v = selection.row()) g.row = *v;
  if (auto v = selection.column()) g.column = *v;
  if (auto v = selection.rowCount()) g.rows = *v;
  if (auto v = selection.columnCount()) g.columns = *v;
  return g;
}

}  // namespace

SelectionRead ReadSelection(ExcelApp& excel) {
  auto selection = excel.selection();
  if (!selection) return {{}, std::nullopt, selection.error()};
  if (auto area = selection->area()) return {*area, *selection, std::nullopt};
  return {geometryOf(*selection), std::nullopt, std::nullopt};
}

}  // namespace plotmate
