#include "pline/sheet_to_polyline.h"

#include <algorithm>
#include <string>
#include <vector>

#include "format/number_text.h"
#include "hosts/acad.h"
#include "hosts/sheet_room.h"
#include "hosts/user_system.h"
#include "pline/drawing_access.h"
#include "pline/point_list.h"
#include "pline/polyline_to_sheet.h"

namespace plotmate {

namespace {

// A cell that cannot be read, or holds no number, leaves the slot as it was;
// one the host refuses is told to the run report.
void readCoordinate(ExcelApp& excel, std::int32_t row, std::int32_t column, double& slot,
                    Platform& platform) {
  auto value = excel.cellValue(row, column);
  if (!value)
    return platform.stepRefused(HostKind::Spreadsheet,
                                {RefusedKind::CellRead, CellName(row, column)}, value.error());
  if (auto number = CellCoordinate(*value)) slot = *number;
}

// The used rows of the sheet: by Address in one call, else by Row and Rows.Count.
Result<RowSpan> usedRows(ExcelApp& excel) {
  PLOTMATE_TRY(used, excel.usedRange());
  if (auto area = used->area()) return RowSpan{area->row, area->rows};
  PLOTMATE_TRY(first, used->row());
  PLOTMATE_TRY(count, used->rowCount());
  return RowSpan{*first, *count};
}

// The values of `rows` of the selection in one read; nothing when the host
// refuses or answers another shape.
std::optional<VariantGrid> readRows(ExcelRange& selection, const SelectionGeometry& g,
                                    RowSpan rows) {
  Result<VariantGrid> grid = VariantGrid{};
  if (rows.count <= 0) return VariantGrid{};
  const auto height = static_cast<std::size_t>(rows.count), width = static_cast<std::size_t>(g.columns);
  if (rows == RowSpan{g.row, g.rows}) {
    grid = selection.values(height, width);
  } else {
    auto top = selection.offset(rows.first - g.row, 0);
    if (!top) return std::nullopt;
    auto block = top->resize(rows.count, g.columns);
    if (!block) return std::nullopt;
    grid = block->values(height, width);
  }
  if (!grid) return std::nullopt;
  return std::move(*grid);
}

}  // namespace

RowSpan UsedRowsOfSelection(ExcelApp& excel, RowSpan selected, Platform& platform) {
  auto used = usedRows(excel);
  if (!used) {
    platform.stepRefused(HostKind::Spreadsheet,
                         {RefusedKind::Other, std::string(kUsedRowsUnreadText)}, used.error());
    return selected;
  }
  const std::int64_t first = std::max<std::int64_t>(selected.first, used->first);
  const std::int64_t last = std::min<std::int64_t>(std::int64_t{selected.first} + selected.count,
                                                   std::int64_t{used->first} + used->count) -
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
  SelectionRead read = ReadSelection(excel);
  const SelectionGeometry& selection = read.geometry;
  if (selection.columns != 2 && selection.columns != 3) {
    platform.messageBox(kWrongColumnsMessage);
    return;
  }
  const RowSpan rows = UsedRowsOfSelection(excel, {selection.row, selection.rows}, platform);
  const auto width = static_cast<std::size_t>(selection.columns);

  // In bulk: every cell in one read and the user system read once, each point
  // translated here. Else cell by cell and point by point through the hosts.
  std::optional<VariantGrid> grid;
  if (read.block) grid = readRows(*read.block, selection, rows);
  Result<CoordinateFrame> userSystem = fail(hr::kFail, "not read");
  if (grid) userSystem = ReadUserSystem(AcadDocument(hosts.AcadDoc));
  const bool bulk = grid && userSystem;
  auto cell = [&](std::int32_t i, std::int32_t j, double& slot) {
    if (!bulk) return readCoordinate(excel, rows.first + i, selection.column + j, slot, platform);
    const auto& value = grid->at(static_cast<std::size_t>(i), static_cast<std::size_t>(j));
    if (auto number = CellCoordinate(value)) slot = *number;
  };

  std::vector<double> points(width * static_cast<std::size_t>(std::max(rows.count, 0)), 0.0);
  // One buffer for every row: a slot a row does not refresh keeps the previous row's value.
  Point3 work{}, world{};
  for (std::int32_t i = 0; i < rows.count; ++i) {
    cell(i, 0, work[0]);
    cell(i, 1, work[1]);
    if (settings.YOX == 1) SwapXY(work);
    work[2] = 0.0;
    if (width == 3) cell(i, 2, work[2]);
    if (bulk) {
      world = ToWorld(*userSystem, work);
    } else if (auto q = utility->translateCoordinates(work, kUser, kWorld, false)) {
      world = *q;
    } else if (LacksMember(q.error())) {
      // No point can be translated: nothing is drawn.
      platform.messageBox(MissingMemberMessage(kTranslateCoordinates, q.error()));
      return;
    } else {
      platform.stepRefused(HostKind::Drawing, {RefusedKind::VertexRead, std::to_string(i + 1)},
                           q.error());
    }
    // Two columns draw in the world XY plane: the translated height is dropped.
    std::copy_n(world.begin(), width, points.begin() + static_cast<std::ptrdiff_t>(width * i));
  }

  // The host refuses a polyline of fewer than two vertices; nothing is said then.
  AcadModelSpace space(hosts.AcadModelSpace);
  auto added = width == 3 ? space.add3DPoly(points) : space.addLightWeightPolyline(points);
  if (!added && rows.count >= 2)
    platform.stepRefused(HostKind::Drawing, {RefusedKind::Other, std::string(kPolylineRefusedText)},
                         added.error());
}

}  // namespace plotmate
