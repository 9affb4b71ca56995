#include "measure/measure_distance.h"

#include <cmath>
#include <optional>
#include <utility>

#include "hosts/broker.h"
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
  const TableExtent rowCells =
      MeasureRowScript({{{0, settings.DX}, {0, settings.DY}, {0, settings.DI}}}, 0).extent();
  // A translation the host refuses keeps the previous point: said by the
  // pick's number. A host without the member ends the run (false).
  auto translate = [&](const Point3& picked, Point3& user, int pick) {
    auto q = run->utility().translateCoordinates(picked, kWorld, kUser, false);
    if (q) {
      user = *q;
    } else if (LacksMember(q.error())) {
      platform.messageBox(MissingMemberMessage(kTranslateCoordinates, q.error()));
      return false;
    } else {
      platform.stepRefused(HostKind::Drawing, {RefusedKind::PointRead, std::to_string(pick)}, q.error());
    }
    return true;
  };
  for (int pair = 1;; ++pair) {
    if (pair > 1) run->refreshUtility();
    if (!run->roomFor(rowCells, platform)) break;
    std::optional<Point3> start, end;  // stay empty when a pick is cancelled or fails
    platform.activateWindow(kAcadWindowTitle);
    if (auto p = run->utility().getPoint(std::nullopt, std::string(kStartPointPrompt))) start = *p;
    if (!start) {
      platform.activateWindow(kExcelWindowTitle);
      break;
    }
    if (!translate(*start, first, 2 * pair - 1)) break;
    if (auto p = run->utility().getPoint(first, std::string(kEndPointPrompt))) end = *p;
    if (!end) break;
    if (!translate(*end, second, 2 * pair)) break;

    double dx = second[0] - first[0];
    double dy = second[1] - first[1];
    if (settings.YOX == 1) std::swap(dx, dy);
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance == 0) break;  // the same point twice: the drafter's way to stop

    const MeasureRow row{{{dx, settings.DX}, {dy, settings.DY}, {distance, settings.DI}}};
    if (!run->record(row, platform)) break;
    if (mainForm.chkboolchgtxt == 1)
      UpdateDistanceTexts(run->document(), textSet, row, mainForm.txtPref, run->decimals(), &platform);
  }
  run->finish(platform);
}

}  // namespace plotmate
