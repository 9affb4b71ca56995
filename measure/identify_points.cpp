#include "measure/identify_points.h"

#include <optional>
#include <utility>

#include "hosts/broker.h"
#include "measure/measure_desktop.h"
#include "measure/pick_run.h"

namespace plotmate {

namespace {

// The string into the cell one row up and three columns right of the active
// cell, which is made active meanwhile, as the drafter's eye follows it. The
// string is written into that cell itself, never into whichever cell is
// active, and a step the hosts refuse is told to the run report.
// Returns false when the active cell did not come back: the next row would
// land beside its place.
bool writeTextBesideRow(ExcelApp& sheet, const AcadEntity& text, PickRun& run, Platform& platform) {
  auto refused = [&](HostKind host, RefusedKind kind, std::int64_t row, std::int64_t column,
                     const Error& error) {
    platform.stepRefused(host, {kind, run.cellName(row, column)}, error);
  };
  auto home = sheet.activeCell();
  if (!home) {
    refused(HostKind::Spreadsheet, RefusedKind::CellWrite, -1, 3, home.error());
    return true;  // nothing was moved
  }
  if (run.onFirstRow()) return true;  // there is no row above
  auto target = home->offset(-1, 3);
  if (!target) {
    refused(HostKind::Spreadsheet, RefusedKind::CellWrite, -1, 3, target.error());
    return true;
  }
  (void)target->activate();
  if (auto string = text.textString(); !string)
    refused(HostKind::Drawing, RefusedKind::CellWrite, -1, 3, string.error());
  else if (auto written = target->setExactValue(Variant(*string)); !written)
    refused(HostKind::Spreadsheet, RefusedKind::CellWrite, -1, 3, written.error());
  if (auto back = home->activate(); !back) {
    refused(HostKind::Spreadsheet, RefusedKind::CursorMove, 0, 0, back.error());
    return false;
  }
  return true;
}

// The text step. A picked entity that is no single-line text is refused
// silently and the pick asked again. The string goes one row up and three
// columns right of the active cell (the row just written), and the cursor
// comes back. When the cursor cannot get there (the active cell is in the
// first row) nothing is written and the cursor stays: the string must never
// land in whatever cell happens to be active, so it is written into its own
// cell, not the active one. Without a spreadsheet the string is asked for
// but recorded nowhere. Returns false when the run ends (also when the active
// cell could not be brought back).
bool recordPickedText(PickRun& run, Platform& platform) {
  for (;;) {
    auto picked = run.utility().getEntity(std::string(kSelectTextPrompt));
    if (!picked) {
      platform.messageBox(kGoodByeMessage, kGoodByeTitle);
      return false;
    }
    auto name = picked->entity.objectName();
    if (!name || *name != kTextObjectName) continue;
    ExcelApp* sheet = run.sheet();
    if (!sheet) return true;
    return writeTextBesideRow(*sheet, picked->entity, run, platform);
  }
}

}  // namespace

void IdentifyPoints(const HostSession& session, Platform& platform, Settings settings) {
  auto run = PickRun::start(session, platform, settings);
  if (!run) return;
  // The last translated point: a failed translation records the previous one again.
  Point3 user{};
  // The cells each pick's row takes, the text's included.
  TableExtent rowCells = MeasureRowScript({{{0, settings.X}, {0, settings.Y}, {0, settings.Z}}}, 0).extent();
  if (settings.T != 0) rowCells.include(0, 3);
  for (int pick = 1;; ++pick) {
    std::optional<Point3> picked;  // stays empty when the pick is cancelled or fails
    if (pick > 1) run->refreshUtility();
    if (!run->roomFor(rowCells, platform)) break;
    platform.activateWindow(kAcadWindowTitle);
    if (auto p = run->utility().getPoint(std::nullopt, std::string(kPickPointPrompt))) picked = *p;
    if (!picked) {
      platform.activateWindow(kExcelWindowTitle);
      break;
    }
    if (auto q = run->utility().translateCoordinates(*picked, kWorld, kUser, false)) {
      user = *q;
    } else if (LacksMember(q.error())) {
      platform.messageBox(MissingMemberMessage(kTranslateCoordinates, q.error()));
      break;
    } else {
      platform.stepRefused(HostKind::Drawing, {RefusedKind::PointRead, std::to_string(pick)}, q.error());
    }
    Point3 out = user;  // exchanged for output only, so a repeated point is never exchanged twice
    if (settings.YOX == 1) std::swap(out[0], out[1]);
    if (!run->record({{{out[0], settings.X}, {out[1], settings.Y}, {out[2], settings.Z}}}, platform))
      break;
    if (settings.T != 0 && !recordPickedText(*run, platform)) break;
  }
  run->finish(platform);
}

}  // namespace plotmate
