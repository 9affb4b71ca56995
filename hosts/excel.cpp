#include "hosts/excel.h"

#include <algorithm>

#include "hosts/answers.h"

namespace plotmate {

namespace {

Result<ExcelRange> rangeOf(Result<DispatchPtr> object) {
  return answerObject<ExcelRange>(std::move(object));
}
Result<std::int32_t> wholeNumber(const Result<Variant>& value) { return answerWholeNumber(value); }

Result<std::int32_t> countOf(Dispatch& range, std::string_view collection) {
  auto items = getObject(range, collection);
  if (!items) return std::unexpected(items.error());
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

}  // namespace

Result<Variant> ExcelRange::value() {
  return orNothing(range_).get("Value");
}

Result<void> ExcelRange::setValue(Variant value) {
  return orNothing(range_).put("Value", std::move(value));
}

Result<void> ExcelRange::setText(std::string text) {
  return setValue(Variant(std::move(text)));
}

Result<void> ExcelRange::setExactValue(Variant value) {
  if (auto text = value.getIf<std::string>(); text && hostMayReinterpret(*text))
    return setValue(Variant("'" + *text));
  return setValue(std::move(value));
}

Result<VariantGrid> ExcelRange::values() {
  auto v = value();
  if (!v) return std::unexpected(v.error());
  if (auto grid = v->getIf<VariantGrid>()) return std::move(*grid);
  if (v->is<VariantList>() || v->is<DispatchPtr>() || v->isMissing())
    return fail(hr::kTypeMismatch, "Type mismatch: a range value is " + describe(*v));
  VariantGrid one(1, 1);
  one.at(0, 0) = std::move(*v);
  return one;
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

Result<ExcelRange> ExcelRange::offset(std::int32_t rows, std::int32_t columns) {
  return rangeOf(getObject(orNothing(range_), "Offset", {rows, columns}));
}

Result<ExcelRange> ExcelRange::cells(std::int32_t row, std::int32_t column) {
  return rangeOf(getObject(orNothing(range_), "Cells", {row, column}));
}

Result<void> ExcelRange::activate() {
  auto r = orNothing(range_).call("Activate");
  if (!r) return std::unexpected(r.error());
  return {};
}

Result<void> ExcelRange::select() {
  auto r = orNothing(range_).call("Select");
  if (!r) return std::unexpected(r.error());
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
  auto sheet = getObject(orNothing(app_), "ActiveSheet");
  if (!sheet) return std::unexpected(sheet.error());
  return rangeOf(getObject(**sheet, "UsedRange"));
}

Result<Variant> ExcelApp::cellValue(std::int32_t row, std::int32_t column) {
  auto cell = cells(row, column);
  if (!cell) return std::unexpected(cell.error());
  return cell->value();
}

Result<void> ExcelApp::setCellValue(std::int32_t row, std::int32_t column, Variant value) {
  auto cell = cells(row, column);
  if (!cell) return std::unexpected(cell.error());
  return cell->setValue(std::move(value));
}

SelectionGeometry ReadSelectionGeometry(ExcelApp& excel) {
  SelectionGeometry g;
  auto selection = excel.selection();
  if (!selection) return g;
  if (auto v = selection->row()) g.row = *v;
  if (auto v = selection->column()) g.column = *v;
  if (auto v = selection->rowCount()) g.rows = *v;
  if (auto v = selection->columnCount()) g.columns = *v;
  return g;
}

}  // namespace plotmate
