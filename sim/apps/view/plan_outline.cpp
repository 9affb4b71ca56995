#include "sim/apps/view/plan_outline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/drawing/coords.h"
#include "sim/drawing/geometry.h"

namespace plotmate::sim {

namespace {

// Chords per full turn: smooth at any zoom a drafter uses on screen.
constexpr int kChordsPerTurn = 72;

std::vector<Vec3> worldPoints(const Piece& piece) {
  if (!piece.isArc) return {piece.start, piece.end};
  const Vec3 r = sub(piece.start, piece.center);
  const Vec3 side = cross(piece.normal, r);
  const int chords = std::max(2, static_cast<int>(std::ceil(piece.sweep / (2 * std::numbers::pi) * kChordsPerTurn)));
  std::vector<Vec3> points;
  for (int i = 0; i <= chords; ++i) {
    const double t = piece.sweep * i / chords;
    points.push_back(add(piece.center, add(scale(r, std::cos(t)), scale(side, std::sin(t)))));
  }
  return points;
}

// Joins the pieces into chains, a new chain wherever a piece does not start
// where the last one ended (a region's next loop).
std::vector<std::vector<Vec3>> worldChains(const std::vector<Piece>& pieces) {
  std::vector<std::vector<Vec3>> chains;
  for (const Piece& piece : pieces) {
    auto points = worldPoints(piece);
    if (chains.empty() || chains.back().back() != points.front()) chains.emplace_back();
    auto& chain = chains.back();
    chain.insert(chain.end(), points.begin() + (chain.empty() ? 0 : 1), points.end());
  }
  return chains;
}

// A block's own coordinates placed by a reference: scaled about the base,
// turned by the rotation and moved to the insertion point.
Vec3 placed(const BlockDefinition& block, const Entity& reference, Vec3 p) {
  const Vec3 d = sub(p, block.base);
  const double x = d.x * reference.scale.x, y = d.y * reference.scale.y;
  const double c = std::cos(reference.rotation), s = std::sin(reference.rotation);
  const Vec3 local{x * c - y * s, x * s + y * c, d.z * reference.scale.z};
  return ocsToWorld(reference.normal, add(worldToOcs(reference.normal, reference.points.front(), false), local), false);
}

PlanPath toPlan(const Ucs& ucs, const std::vector<Vec3>& world) {
  PlanPath path;
  path.reserve(world.size());
  for (const Vec3& p : world) {
    const Vec3 u = fromWorld(ucs, p, false);
    path.push_back({u.x, u.y});
  }
  return path;
}

}  // namespace

std::vector<PlanPath> planPaths(const Drawing& drawing, const Entity& entity) {
  std::vector<PlanPath> paths;
  if (entity.kind == EntityKind::BlockRef) {
    const BlockDefinition* block = drawing.block(entity.blockName);
    if (!block || entity.points.empty()) return paths;
    for (const Entity& inner : block->entities) {
      if (inner.kind == EntityKind::BlockRef) continue;  // nested blocks are not drawn
      for (auto chain : worldChains(shapeOf(inner))) {
        for (Vec3& p : chain) p = placed(*block, entity, p);
        paths.push_back(toPlan(drawing.ucs, chain));
      }
    }
    return paths;
  }
  for (const auto& chain : worldChains(shapeOf(entity))) paths.push_back(toPlan(drawing.ucs, chain));
  return paths;
}

PlanPoint planAnchor(const Ucs& ucs, const Entity& entity) {
  if (entity.points.empty()) return {};
  Vec3 world = entity.points.front();
  if (entity.kind == EntityKind::Text) world = ocsToWorld(entity.normal, world, false);
  const Vec3 u = fromWorld(ucs, world, false);
  return {u.x, u.y};
}

std::optional<PlanBox> drawingExtents(const Drawing& drawing) {
  std::optional<PlanBox> box;
  for (const Entity* e : drawing.entities()) {
    auto b = planBounds(drawing.ucs, *e);
    if (!b) continue;
    if (!box) {
      box = PlanBox{b->minX, b->minY, b->maxX, b->maxY};
      continue;
    }
    box->minX = std::min(box->minX, b->minX);
    box->minY = std::min(box->minY, b->minY);
    box->maxX = std::max(box->maxX, b->maxX);
    box->maxY = std::max(box->maxY, b->maxY);
  }
  return box;
}

}  // namespace plotmate::sim
