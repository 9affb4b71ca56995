#pragma once
// The geometry the drawing stand-in answers with: an entity's shape in world
// space as straight and circular pieces, IntersectWith, fence crossing in the
// plan view of a UCS, loop areas and point-in-loop with bulges, and plan
// bounding boxes for the spatial index.

#include <optional>
#include <span>
#include <vector>

#include "sim/drawing/coords.h"
#include "sim/drawing/model.h"

namespace plotmate::sim {

// One piece of an entity's outline in world space: a straight segment from
// start to end, or a circular arc that runs counter-clockwise about `normal`
// from start to end through the included angle `sweep` (a full circle has
// start == end and sweep 2*pi).
struct Piece {
  bool isArc = false;
  Vec3 start, end;
  Vec3 center;            // arc only
  Vec3 normal{0, 0, 1};   // arc only: unit axis of the arc's plane
  double radius = 0;      // arc only
  double sweep = 0;       // arc only, radians in (0, 2*pi]
};

// The world-space outline of lines, the three polyline kinds (bulges, closed
// flag, elevation, normal), circles, arcs and regions (their loops). Other
// kinds (text, points, block references) have no outline: empty.
std::vector<Piece> shapeOf(const Entity& entity);

// The piece a bulge makes between two points of a plane with the given unit
// normal (a straight segment for a bulge of 0).
Piece bulgePiece(Vec3 start, Vec3 end, double bulge, Vec3 normal);

// The points where a and b meet in space, neither extended (IntersectWith
// with acExtendNone). A point where the pieces meet at a shared vertex or a
// segment end is reported once. The points are ordered along b's outline,
// from its start; for the crossing export the line calls
// IntersectWith(polyline), so this is the order along the polyline. Empty when
// they do not meet, or when either has no outline.
std::vector<Vec3> intersectWith(const Entity& a, const Entity& b);

// The meeting points of two single pieces, in space, ordered along b.
std::vector<Vec3> intersectPieces(const Piece& a, const Piece& b);

// Whether the open fence (world points, joined in order, last not joined back
// to the first) crosses or touches the entity as seen in the plan view of the
// UCS: both are projected onto the UCS XY plane, heights are ignored. Text and
// block references count by their plan box, points by their position.
bool fenceCrosses(const Ucs& ucs, std::span<const Vec3> fenceWorld, const Entity& entity);

// An axis-aligned box in the plan view of a UCS (UCS x and y).
struct Box2 {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  bool overlaps(const Box2& other) const;
};

// The entity's extent in the plan view of the UCS, or nothing when it has no
// position at all (an empty polyline).
std::optional<Box2> planBounds(const Ucs& ucs, const Entity& entity);

// Area of a loop (x and y of its points; closed by joining the last point to
// the first; bulges included). Positive when the loop runs counter-clockwise.
double signedLoopArea(const Loop& loop);
double loopArea(const Loop& loop);
// Whether (x, y) lies inside the loop (x and y of its points, bulges
// included). A point on the boundary counts as inside.
bool pointInLoop(const Loop& loop, double x, double y);

// The closed outline of a closed polyline or a circle as a loop in the plan
// view of the UCS (UCS x and y; bulges counter-clockwise positive in that
// view), for boundary detection. Nothing for open or other entities, and for
// outlines whose plane is not parallel to the UCS XY plane (a boundary must
// lie in a plane parallel to the current UCS).
std::optional<Loop> planLoop(const Ucs& ucs, const Entity& entity);

}  // namespace plotmate::sim
