#include "sim/drawing/regions.h"

#include <algorithm>
#include <cmath>

#include "sim/drawing/acad_errors.h"
#include "sim/drawing/coords.h"
#include "sim/drawing/geometry.h"

namespace plotmate::sim {

namespace {

bool allInside(const Loop& inner, const Loop& outer) {
  return std::ranges::all_of(inner.points,
                             [&](Vec3 p) { return pointInLoop(outer, p.x, p.y); });
}

bool noneInside(const Loop& a, const Loop& b) {
  return std::ranges::none_of(a.points, [&](Vec3 p) { return pointInLoop(b, p.x, p.y); });
}

bool samePoint(Vec3 a, Vec3 b) {
  const double tolerance = 1e-9 * (1 + std::max({std::abs(a.x), std::abs(a.y), std::abs(b.x), std::abs(b.y)}));
  return std::abs(a.x - b.x) <= tolerance && std::abs(a.y - b.y) <= tolerance;
}

// The same outline traced from any vertex, in either direction (a reversed
// trace carries each bulge, negated, on the other end of its segment).
bool sameOutline(const Loop& a, const Loop& b) {
  const std::size_t n = a.points.size();
  if (n == 0 || n != b.points.size()) return false;
  auto bulge = [](const Loop& loop, std::size_t i) { return i < loop.bulges.size() ? loop.bulges[i] : 0.0; };
  auto close = [](double u, double v) { return std::abs(u - v) <= 1e-9 * (1 + std::abs(u)); };
  for (std::size_t start = 0; start < n; ++start) {
    bool forward = true, backward = true;
    for (std::size_t i = 0; i < n && (forward || backward); ++i) {
      const std::size_t f = (start + i) % n, r = (start + n - i) % n;
      forward = forward && samePoint(a.points[i], b.points[f]) && close(bulge(a, i), bulge(b, f));
      backward = backward && samePoint(a.points[i], b.points[r]) &&
                 close(bulge(a, i), -bulge(b, (r + n - 1) % n));
    }
    if (forward || backward) return true;
  }
  return false;
}

// A loop of the region in the 2-D system of its plane.
Loop inPlane(const Loop& world, Vec3 normal) {
  Loop out = world;
  for (Vec3& p : out.points) p = worldToOcs(normal, p, false);
  return out;
}

Loop toWorldLoop(const Loop& planar, Vec3 normal) {
  Loop out = planar;
  for (Vec3& p : out.points) p = ocsToWorld(normal, p, false);
  return out;
}

}  // namespace

std::optional<Boundary> findBoundary(const Drawing& drawing, double x, double y,
                                     bool detectIslands) {
  std::vector<Loop> loops;
  for (const Entity* e : drawing.entities())
    if (auto loop = planLoop(drawing.ucs, *e)) loops.push_back(std::move(*loop));

  const Loop* outer = nullptr;
  for (const Loop& loop : loops)
    if (pointInLoop(loop, x, y) && (!outer || loopArea(loop) < loopArea(*outer))) outer = &loop;
  if (!outer) return std::nullopt;

  Boundary boundary{*outer, {}};
  if (!detectIslands) return boundary;
  double outerArea = loopArea(*outer);
  for (const Loop& loop : loops) {
    if (&loop == outer || pointInLoop(loop, x, y)) continue;
    if (loopArea(loop) >= outerArea || !allInside(loop, *outer)) continue;
    // Outlines drawn over one another make one island: a boundary traced
    // again over its own earlier result must not copy every island once more.
    if (std::ranges::any_of(boundary.islands, [&](const Loop& kept) { return sameOutline(kept, loop); }))
      continue;
    boundary.islands.push_back(loop);
  }
  return boundary;
}

Entity regionFromPlanLoop(const Ucs& ucs, const Loop& loop) {
  Entity e;
  e.kind = EntityKind::Region;
  e.normal = ucsFrame(ucs).z;
  Loop world = loop;
  for (Vec3& p : world.points) p = toWorld(ucs, p, false);
  e.loops.push_back(std::move(world));
  return e;
}

Entity polylineFromPlanLoop(const Ucs& ucs, const Loop& loop) {
  Entity e;
  e.kind = EntityKind::LwPolyline;
  e.normal = ucsFrame(ucs).z;
  e.closed = true;
  e.bulges = loop.bulges;
  for (Vec3 p : loop.points) {
    Vec3 o = worldToOcs(e.normal, toWorld(ucs, p, false), false);
    e.elevation = o.z;
    e.points.push_back({o.x, o.y, 0});
  }
  return e;
}

double regionArea(const Entity& region) {
  if (region.loops.empty()) return 0;
  double area = loopArea(inPlane(region.loops.front(), region.normal));
  for (std::size_t i = 1; i < region.loops.size(); ++i)
    area -= loopArea(inPlane(region.loops[i], region.normal));
  return std::max(area, 0.0);
}

Result<void> subtractRegion(Entity& region, const Entity& other) {
  if (region.loops.empty() || other.loops.empty()) return {};
  if (other.loops.size() > 1) return std::unexpected(notModelled("subtracting a region with holes"));
  Vec3 n = normalize(region.normal);
  Vec3 m = normalize(other.normal);
  Loop outer = inPlane(region.loops.front(), n);
  Loop cut = inPlane(other.loops.front(), n);
  double height = outer.points.empty() ? 0 : outer.points.front().z;
  bool coplanar = length(cross(n, m)) < 1e-9 &&
                  std::ranges::all_of(cut.points, [&](Vec3 p) { return std::abs(p.z - height) < 1e-6; });
  if (!coplanar) return std::unexpected(notModelled("Boolean on regions in different planes"));

  if (noneInside(cut, outer) && noneInside(outer, cut)) return {};  // separate: nothing to cut
  if (!allInside(cut, outer)) return std::unexpected(notModelled("regions that partly overlap"));

  std::vector<Loop> holes;
  for (std::size_t i = 1; i < region.loops.size(); ++i) holes.push_back(inPlane(region.loops[i], n));
  for (const Loop& hole : holes)
    if (allInside(cut, hole)) return {};  // already cut away
  std::vector<Loop> kept;
  for (Loop& hole : holes) {
    if (allInside(hole, cut)) continue;  // swallowed by the new hole
    if (!noneInside(hole, cut) || !noneInside(cut, hole))
      return std::unexpected(notModelled("regions that partly overlap"));
    kept.push_back(std::move(hole));
  }
  kept.push_back(std::move(cut));
  region.loops.resize(1);
  for (const Loop& hole : kept) region.loops.push_back(toWorldLoop(hole, n));
  return {};
}

}  // namespace plotmate::sim
