#include "repeater/batch_run.h"

#include <limits>
#include <optional>
#include <utility>
#include <variant>

#include "hosts/acad.h"
#include "hosts/excel.h"
#include "hosts/platform.h"
#include "hosts/sheet_room.h"
#include "repeater/captured_block.h"
#include "repeater/command_line_builder.h"
#include "repeater/engineering_pairs.h"

namespace plotmate {

namespace {

// Each value in its variable's own type: the host refuses a double for an
// integer variable and an integer for a real one (PDSIZE).
struct SystemVariable {
  const char* name;
  std::variant<std::int16_t, double> value;
};
// No echo, no file dialogs, no questions; the look of the station points.
constexpr SystemVariable kBatchVariables[] = {{"CMDECHO", std::int16_t{0}},
                                              {"FILEDIA", std::int16_t{0}},
                                              {"EXPERT", std::int16_t{1}},
                                              {"PDMODE", std::int16_t{34}},
                                              {"PDSIZE", 5.0}};
// Fixed values, not the ones found before the run; the point look stays.
constexpr SystemVariable kRestoredVariables[] = {
    {"EXPERT", std::int16_t{0}}, {"FILEDIA", std::int16_t{1}}, {"CMDECHO", std::int16_t{1}}};

// Cells(row, column) for positions computed from what the host reported;
// one that no 32-bit index can name fails like any other bad address.
Result<ExcelRange> cellAt(ExcelApp& excel, std::int64_t row, std::int64_t column) {
  constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
  if (row < 0 || row > kLimit || column < 0 || column > kLimit)
    return fail(hr::kInvalidArg, "Cells: position out of range");
  return excel.cells(static_cast<std::int32_t>(row), static_cast<std::int32_t>(column));
}

// AutoNext: the single row just below the first selected row, as wide as the selection.
Result<void> selectNextRow(ExcelApp& excel, const SelectionGeometry& g) {
  PLOTMATE_TRY(first, cellAt(excel, std::int64_t{g.row} + 1, g.column));
  PLOTMATE_TRY(last,
               cellAt(excel, std::int64_t{g.row} + 1, std::int64_t{g.column} + g.columns - 1));
  PLOTMATE_TRY(next, excel.range(*first, *last));
  if (auto selected = next->select(); !selected) return selected;
  PLOTMATE_TRY(selection, excel.selection());
  return selection->activate();
}

// "B3:D3": the row AutoNext selects.
std::string NextRowName(const SelectionGeometry& g) {
  const std::int64_t row = std::int64_t{g.row} + 1;
  return CellName(row, g.column) + ":" + CellName(row, std::int64_t{g.column} + g.columns - 1);
}

bool selectionFits(const RepeaterForm& form, const SelectionGeometry& g) {
  if (form.Combo1 == kZhanDian && g.columns != 3) return false;
  return std::int64_t{g.rows} * g.columns <= kMaxCapturedCells;
}

// The selected range's Value in one read; nothing when the host refuses it
// or answers another shape.
std::optional<CapturedBlock> captureInBulk(ExcelRange& selection, const SelectionGeometry& g) {
  auto grid = selection.values(static_cast<std::size_t>(g.rows), static_cast<std::size_t>(g.columns));
  if (!grid) return std::nullopt;
  CapturedBlock block(g.columns, g.rows);
  for (std::int32_t c = 0; c < block.columns(); ++c)
    for (std::int32_t r = 0; r < block.rows(); ++r)
      *block.value(c, r) = std::move(grid->at(static_cast<std::size_t>(r), static_cast<std::size_t>(c)));
  return block;
}

// In bulk when the selection's range is known, else one Cells read per value,
// column after column, where a failed read leaves the value empty (and is
// told to the run report).
CapturedBlock capture(ExcelApp& excel, SelectionRead& selection, Platform& platform) {
  const SelectionGeometry& g = selection.geometry;
  if (selection.block)
    if (auto block = captureInBulk(*selection.block, g)) return std::move(*block);
  CapturedBlock block(g.columns, g.rows);
  for (std::int32_t c = 0; c < block.columns(); ++c) {
    for (std::int32_t r = 0; r < block.rows(); ++r) {
      const std::int64_t row = std::int64_t{g.row} + r, column = std::int64_t{g.column} + c;
      auto cell = cellAt(excel, row, column);
      auto value = cell ? cell->value() : Result<Variant>(std::unexpected(cell.error()));
      if (value)
        *block.value(c, r) = std::move(*value);
      else
        platform.stepRefused(HostKind::Spreadsheet, {RefusedKind::CellRead, CellName(row, column)},
                             value.error());
    }
  }
  return block;
}

template <std::size_t N>
void setVariables(const AcadDocument& doc, const SystemVariable (&variables)[N], Platform& platform) {
  for (const auto& v : variables) {
    auto set = std::visit([&](auto value) { return doc.setVariable(v.name, Variant(value)); }, v.value);
    if (!set)
      platform.stepRefused(HostKind::Drawing, {RefusedKind::SystemVariable, v.name}, set.error());
  }
}

void undoMark(Result<void> set, const char* which, Platform& platform) {
  if (!set) platform.stepRefused(HostKind::Drawing, {RefusedKind::UndoMark, which}, set.error());
}

}  // namespace

void RunCommandForEachRow(const RepeaterForm& form, const Settings& settings, HostSession& session,
                    HostBroker& broker, Platform& platform) {
  AttachAcad(session, broker, platform);
  AttachExcel(session, broker, platform);
  if (session.AcadMissing != 0 || session.ExcelMissing != 0) return;
  if (!session.AcadDoc) {
    platform.messageBox(kNoDrawingMessage);
    return;
  }

  platform.activateWindow(kAcadWindowTitle);
  ExcelApp excel(session.ExcelApp);
  SelectionRead selection = ReadSelection(excel);
  const SelectionGeometry& geometry = selection.geometry;
  // Unread, the selection has no rows: the run goes on and sends no command.
  if (selection.refused)
    platform.stepRefused(HostKind::Spreadsheet,
                         {RefusedKind::Other, std::string(kSelectionUnreadText)},
                         *selection.refused);
  if (form.Check3)
    if (auto moved = selectNextRow(excel, geometry); !moved)
      platform.stepRefused(HostKind::Spreadsheet, {RefusedKind::CursorMove, NextRowName(geometry)},
                           moved.error());
  if (!selectionFits(form, geometry)) {
    platform.messageBox(kWrongSelectionForRunMessage);
    return;
  }
  // The selection's own range: AutoNext moved the selection, not the range.
  CapturedBlock block = capture(excel, selection, platform);
  selection.block.reset();  // released before the commands run
  if (settings.YOX == 1 && !ExchangeEngineeringPairs(form, block)) {
    platform.messageBox(kThreeDimensionalMessage);
    return;
  }

  const AcadDocument doc(session.AcadDoc);
  setVariables(doc, kBatchVariables, platform);
  undoMark(doc.startUndoMark(), "开始", platform);
  for (std::int32_t r = 0; r < block.rows(); ++r) {
    // A row whose line the host refuses is passed over, and said by its worksheet row.
    if (auto sent = doc.sendCommand(BuildCommandLine(form, block, r)); !sent)
      platform.stepRefused(
          HostKind::Drawing,
          {RefusedKind::CommandRow, std::to_string(std::int64_t{geometry.row} + r)}, sent.error());
  }
  undoMark(doc.endUndoMark(), "结束", platform);
  setVariables(doc, kRestoredVariables, platform);
}

}  // namespace plotmate
