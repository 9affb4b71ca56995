#pragma once
// The drawing's coordinate systems computed here instead of by the host: the
// current user system, read once per run from the host's UCSORG, UCSXDIR and
// UCSYDIR (world coordinates), and an entity's own system from its normal by
// the arbitrary-axis rule. One translation per point then costs no round trip.

#include <optional>

#include "hosts/acad.h"

namespace plotmate {

// An orthonormal frame: world = origin + x·px + y·py + z·pz.
struct CoordinateFrame {
  Point3 origin{0, 0, 0};
  Point3 x{1, 0, 0};
  Point3 y{0, 1, 0};
  Point3 z{0, 0, 1};
};

// The current user system: three GetVariable calls. Fails when the host
// refuses one, or reports axes that are no frame (zero, parallel, not finite).
Result<CoordinateFrame> ReadUserSystem(const AcadDocument& document);

// The entity system of an extrusion direction (the world origin, X from
// WorldY × N when N lies within 1/64 of the Z axis, else WorldZ × N;
// Y = N × X); nothing for a zero or non-finite normal.
std::optional<CoordinateFrame> EntitySystem(const Point3& normal);

// Points (never displacements) into and out of a frame.
Point3 ToWorld(const CoordinateFrame& frame, const Point3& p);
Point3 FromWorld(const CoordinateFrame& frame, const Point3& p);

}  // namespace plotmate
