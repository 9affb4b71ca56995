#pragma once
// Paints a drawing as the drawing stand-in's window shows it: the plan view
// of the current UCS through a view transform, on a dark ground as the host
// draws model space; regions shaded (islands left clear), highlighted
// entities and the ones picked so far in a selection drawn dashed.

#include <windows.h>

#include <optional>
#include <set>
#include <string>

#include "sim/apps/view/view_transform.h"
#include "sim/drawing/model.h"

namespace plotmate::sim {

struct DrawingPicture {
  const Drawing& drawing;
  const ViewTransform& view;
  const std::set<std::string>& highlighted;
  std::optional<PlanPoint> rubberFrom;  // screen pixels: a rubber line to the cursor
  std::optional<PlanPoint> cursor;      // screen pixels
};

void paintDrawing(HDC dc, const RECT& area, const DrawingPicture& picture);

}  // namespace plotmate::sim
