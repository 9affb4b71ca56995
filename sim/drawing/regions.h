#pragma once
// Regions of the drawing stand-in: the boundaries -BOUNDARY finds around an
// interior point, the regions made from them, a region's area and the
// subtraction of one region from another.

#include <optional>
#include <vector>

#include "base/result.h"
#include "sim/drawing/model.h"

namespace plotmate::sim {

// Boundaries around an interior point, in the plan view of the UCS.
struct Boundary {
  Loop outer;
  std::vector<Loop> islands;  // closed outlines inside the outer one, in creation order
};

// The smallest closed outline (closed polyline or circle, in a plane
// parallel to the UCS) around the UCS point (x, y), with the outlines that
// lie wholly inside it and not around the point as its islands when
// `detectIslands` is set. Outlines that cross the boundary are not islands:
// the stand-in takes whole outlines and does not cut them at intersections.
// Outlines that coincide (the same vertices and arcs, from any start, in
// either direction) count as one island, the first drawn.
std::optional<Boundary> findBoundary(const Drawing& drawing, double x, double y, bool detectIslands);

// A region (world loops, normal = the UCS Z axis) from a loop in the plan
// view of the UCS.
Entity regionFromPlanLoop(const Ucs& ucs, const Loop& loop);
// A closed lightweight polyline in the UCS plane from such a loop.
Entity polylineFromPlanLoop(const Ucs& ucs, const Loop& loop);

// The area of a region: its outer loop less its holes, measured in its plane.
double regionArea(const Entity& region);

// Subtracts `other` from `region` (Boolean acSubtraction). A region inside
// `region` becomes a hole (one inside an existing hole changes nothing); a
// separate region changes nothing. Partial overlaps, regions in other planes
// and subtrahends with holes of their own fail and leave `region` unchanged:
// the stand-in does not cut outlines.
Result<void> subtractRegion(Entity& region, const Entity& other);

}  // namespace plotmate::sim
