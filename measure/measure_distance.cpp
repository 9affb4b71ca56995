#include "measure/measure_distance.h"

#include <cmath>
#include <optional>
#include <utility>

#include "measure/distance_texts.h"
#include "measure/measure_desktop.h"
#include "measure/pick_run.h"

namespace plotmate {

void MeasureDistance(const HostSession& session, Platform& platform, Settings settings,
                     const MainForm& mainForm, AcadSelectionSet& textSet) {
  auto run = PickRun::start(session, platform, settings);
  if (!run) return;
  // The two points in the user system; a failed translation keeps the previous one.
  Point3 first{}, second{};
  for (bool firstCycle = true;; firstCycle = false) {
    if (!firstCycle) run->refreshUtility();
    std::optional<Point3> start, end;  // stay empty when a pick is cancelled or fails
    platform.activateWindow(kAcadWindowTitle);
    if (auto p = run->utility().getPoint(std::nullopt, std::string(kStartPointPrompt))) start = *p;
    if (!start) {
      platform.activateWindow(kExcelWindowTitle);
      break;
    }
    if (auto q = run->utility().translateCoordinates(*start, kWorld, kUser, false)) first = *q;
    if (auto p = run->utility().getPoint(first, std::string(kEndPointPrompt))) end = *p;
    if (!end) break;
    if (auto q = run->utility().translateCoordinates(*end, kWorld, kUser, false)) second = *q;

    double dx = second[0] - first[0];
    double dy = second[1] - first[1];
    if (settings.YOX == 1) std::swap(dx, dy);
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance == 0) break;  // the same point twice: the drafter's way to stop

    const MeasureRow row{{{dx, settings.DX}, {dy, settings.DY}, {distance, settings.DI}}};
    if (!run->record(row, platform)) break;
    if (mainForm.chkboolchgtxt == 1)
      UpdateDistanceTexts(run->document(), textSet, row, mainForm.txtPref, run->decimals());
  }
  run->finish(platform);
}

}  // namespace plotmate
