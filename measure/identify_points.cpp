#include "measure/identify_points.h"

#include <optional>
#include <utility>

#include "hosts/active_cell.h"
#include "measure/measure_desktop.h"
#include "measure/pick_run.h"

namespace plotmate {

namespace {

// The text step. A picked entity that is no single-line text is refused
// silently and the pick asked again. The string goes one row up and three
// columns right of the active cell (the row just written), and the cursor
// comes back. When the cursor cannot get there (the active cell is in the
// first row) nothing is written and the cursor stays: the string must never
// land in whatever cell happens to be active. Without a spreadsheet the
// string is asked for but recorded nowhere. Returns false when the run ends.
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
    if (!MoveActiveCell(*sheet, -1, 3)) return true;
    if (auto text = picked->entity.textString()) (void)SetActiveCellExactText(*sheet, *text);
    (void)MoveActiveCell(*sheet, 1, -3);
    return true;
  }
}

}  // namespace

void IdentifyPoints(const HostSession& session, Platform& platform, Settings settings) {
  auto run = PickRun::start(session, platform, settings);
  if (!run) return;
  // The last translated point: a failed translation records the previous one again.
  Point3 user{};
  for (bool firstCycle = true;; firstCycle = false) {
    std::optional<Point3> picked;  // stays empty when the pick is cancelled or fails
    if (!firstCycle) run->refreshUtility();
    platform.activateWindow(kAcadWindowTitle);
    if (auto p = run->utility().getPoint(std::nullopt, std::string(kPickPointPrompt))) picked = *p;
    if (!picked) {
      platform.activateWindow(kExcelWindowTitle);
      break;
    }
    if (auto q = run->utility().translateCoordinates(*picked, kWorld, kUser, false)) user = *q;
    Point3 out = user;  // exchanged for output only, so a repeated point is never exchanged twice
    if (settings.YOX == 1) std::swap(out[0], out[1]);
    if (!run->record({{{out[0], settings.X}, {out[1], settings.Y}, {out[2], settings.Z}}}, platform))
      break;
    if (settings.T != 0 && !recordPickedText(*run, platform)) break;
  }
  run->finish(platform);
}

}  // namespace plotmate
