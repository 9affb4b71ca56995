#pragma once
// What the drawing stand-in's window draws of an entity, in the plan view of
// the current UCS: its outline as chains of plan points (arcs broken into
// short chords), block references by their block's entities placed, and the
// drawing's extents for "zoom to extents".

#include <optional>
#include <vector>

#include "sim/apps/view/view_transform.h"
#include "sim/drawing/model.h"

namespace plotmate::sim {

using PlanPath = std::vector<PlanPoint>;

// Lines, polylines, circles, arcs, regions (one closed path per loop, the
// outer boundary first) and the outlined entities of a block reference's
// block. Texts and points have no outline: empty.
std::vector<PlanPath> planPaths(const Drawing& drawing, const Entity& entity);

// Where a text, point or block reference stands in the plan view.
PlanPoint planAnchor(const Ucs& ucs, const Entity& entity);

// The box around every entity in the plan view; nothing for an empty drawing.
std::optional<PlanBox> drawingExtents(const Drawing& drawing);

}  // namespace plotmate::sim
