#include "sim/state/sheet_io.h"

#include "sim/sheet/cell_text.h"
#include "sim/sheet/sheet_area.h"
#include "sim/sheet/sheet_csv.h"

namespace plotmate::scenario {

namespace {

sim::CellRef cellAt(const std::string& text) {
  auto cell = sim::parseCellText(text);
  if (!cell) scenarioError("sheet: \"" + text + "\" is no cell address");
  return *cell;
}

sim::Area areaAt(const std::string& text) {
  auto area = sim::parseAreaText(text);
  if (!area) scenarioError("sheet: \"" + text + "\" is no range address");
  return *area;
}

// Numbers and booleans are stored as they are; texts as if typed into the cell.
void putCell(sim::Worksheet& sheet, sim::CellRef cell, const Json& value) {
  Result<void> stored;
  if (value.is_number())
    stored = sheet.setValue(cell, value.get<double>());
  else if (value.is_boolean())
    stored = sheet.setValue(cell, value.get<bool>());
  else if (value.is_string())
    stored = sheet.enterText(cell, value.get<std::string>());
  else if (!value.is_null())
    scenarioError("sheet: a cell holds a number, a text, a boolean or null");
  if (!stored) scenarioError("sheet: " + stored.error().description);
}

Json cellJson(const Variant& value) {
  if (auto d = asDouble(value); d && !value.is<bool>()) return *d;
  if (auto b = value.getIf<bool>()) return *b;
  if (auto s = value.getIf<std::string>()) return *s;
  if (auto e = value.getIf<CellError>()) return sim::errorName(e->code).value_or("#ERROR");
  return nullptr;
}

std::string addressOf(sim::CellRef cell) {
  return sim::columnLetters(cell.column) + std::to_string(cell.row);
}

std::string addressOf(const sim::Area& area) {
  if (area.first == area.last) return addressOf(area.first);
  return addressOf(area.first) + ":" + addressOf(area.last);
}

}  // namespace

sim::Worksheet sheetFromJson(const Json& spec, const std::filesystem::path& sourceDir) {
  sim::Worksheet sheet;
  if (spec.contains("csv")) {
    auto loaded = sim::loadCsvFile(sourceDir / spec["csv"].get<std::string>());
    if (!loaded) scenarioError("sheet: " + loaded.error().description);
    sheet = std::move(*loaded);
  }
  // A workbook kept in the old format: 65,536 rows and 256 columns.
  if (spec.value("compatibilityMode", false)) sheet.setSize(kCompatibilitySheet);
  if (spec.contains("cells"))
    for (const auto& [address, value] : spec["cells"].items()) putCell(sheet, cellAt(address), value);
  if (spec.contains("selection")) sheet.select(areaAt(spec["selection"].get<std::string>()));
  if (spec.contains("active")) sheet.activate(sim::Area::cell(cellAt(spec["active"].get<std::string>())));
  if (spec.contains("selectedObject")) sheet.selectObject(spec["selectedObject"].get<std::string>());
  return sheet;
}

Json sheetJson(const sim::Worksheet& sheet) {
  // Each address comes once, so it is appended rather than looked up first:
  // an ordered object's lookup is linear, which made a large sheet quadratic.
  Json cells = Json::object();
  auto& entries = cells.get_ref<Json::object_t&>();
  for (const auto& [cell, value] : sheet.cells()) entries.emplace_back(addressOf(cell), cellJson(value));
  return {{"cells", cells},
          {"active", addressOf(sheet.activeCell())},
          {"selection", addressOf(sheet.selection())}};
}

}  // namespace plotmate::scenario
