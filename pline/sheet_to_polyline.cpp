#include "pline/sheet_to_polyline.h"

#include <algorithm>
#include <string>
#include <vector>

#include "format/number_text.h"
#include "hosts/acad.h"
#include "pline/drawing_access.h"
#include "pline/point_list.h"
#include "pline/polyline_to_sheet.h"

namespace plotmate {

namespace {

// A cell that cannot be read, or holds no number, leaves the slot as it was.
void readCoordinate(ExcelApp& excel, std::int32_t row, std::int32_t column, double& slot) {
  if (auto value = excel.cellValue(row, column))
    if (auto number = CellCoordinate(*value)) slot = *number;
}

}  // namespace

RowSpan UsedRowsOfSelection(ExcelApp& excel, RowSpan selected) {
  auto used = excel.usedRange();
  if (!used) return selected;
  auto usedFirst = used->row();
  auto usedCount = used->rowCount();
  if (!usedFirst || !usedCount) return selected;
  const std::int64_t first = std::max<std::int64_t>(selected.first, *usedFirst);
  const std::int64_t last = std::min<std::int64_t>(std::int64_t{selected.first} + selected.count,
                                                   std::int64_t{*usedFirst} + *usedCount) -
                            1;
  if (last < first) return {selected.first, 0};
  return {static_cast<std::int32_t>(first), static_cast<std::int32_t>(last - first + 1)};
}

std::optional<double> CellCoordinate(const Variant& value) {
  if (value.isEmpty()) return 0.0;
  if (auto number = asDouble(value)) return number;
  if (auto text = value.getIf<std::string>()) return parseNumberText(*text);
  return std::nullopt;
}

void SheetToPolyline(const HostSession& hosts, Platform& platform, Settings settings) {
  auto utility = DocumentUtility(hosts, platform);
  if (!utility) return;
  if (!hosts.AcadModelSpace) {
    platform.messageBox(std::string(kNoDrawingMessage) + "\n\n" +
                        std::string(kNoModelSpaceDescription));
    return;
  }
  if (!hosts.ExcelApp) return;  // the button runs this only with the spreadsheet host attached

  // From here on a failing host action is dropped.
  platform.activateWindow(kAcadWindowTitle);
  ExcelApp excel(hosts.ExcelApp);
  const SelectionGeometry selection = ReadSelectionGeometry(excel);
  if (selection.columns != 2 && selection.columns != 3) {
    platform.messageBox(kWrongColumnsMessage);
    return;
  }
  const RowSpan rows = UsedRowsOfSelection(excel, {selection.row, selection.rows});
  const auto width = static_cast<std::size_t>(selection.columns);

  std::vector<double> points(width * static_cast<std::size_t>(std::max(rows.count, 0)), 0.0);
  // One buffer for every row: a slot a row does not refresh keeps the previous row's value.
  Point3 work{}, world{};
  for (std::int32_t i = 0; i < rows.count; ++i) {
    const std::int32_t row = rows.first + i;
    readCoordinate(excel, row, selection.column, work[0]);
    readCoordinate(excel, row, selection.column + 1, work[1]);
    if (settings.YOX == 1) SwapXY(work);
    work[2] = 0.0;
    if (width == 3) readCoordinate(excel, row, selection.column + 2, work[2]);
    if (auto q = utility->translateCoordinates(work, kUser, kWorld, false)) world = *q;
    // Two columns draw in the world XY plane: the translated height is dropped.
    std::copy_n(world.begin(), width, points.begin() + static_cast<std::ptrdiff_t>(width * i));
  }

  // The host refuses a polyline of fewer than two vertices; nothing is said then.
  AcadModelSpace space(hosts.AcadModelSpace);
  if (width == 3)
    (void)space.add3DPoly(points);
  else
    (void)space.addLightWeightPolyline(points);
}

}  // namespace plotmate
