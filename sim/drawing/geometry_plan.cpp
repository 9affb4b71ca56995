// Geometry in the plan view of a UCS: fence crossing, bounding boxes, and
// loops (area, point-in-loop, closed outlines for boundary detection).

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/drawing/geometry.h"
#include "sim/drawing/geometry_internal.h"

namespace plotmate::sim {

using std::numbers::pi;

namespace {

// An arc whose plane is tilted against the view shows as part of an ellipse;
// it is drawn with this many chords per full turn, as a display would.
constexpr int kChordsPerTurn = 128;

Vec3 flat(const Frame& view, Vec3 world) {
  Vec3 p = fromWorld(view, world, false);
  return {p.x, p.y, 0};
}

Piece flatSegment(Vec3 a, Vec3 b) {
  Piece piece;
  piece.start = a;
  piece.end = b;
  return piece;
}

// The piece as seen in the plan view: flat (z = 0) pieces in view coordinates.
void projectPiece(const Frame& view, const Piece& piece, std::vector<Piece>& out) {
  if (!piece.isArc) {
    out.push_back(flatSegment(flat(view, piece.start), flat(view, piece.end)));
    return;
  }
  const double facing = dot(piece.normal, view.z);
  if (std::abs(facing) >= 1 - 1e-9) {
    Piece arc = piece;
    arc.start = flat(view, piece.start);
    arc.end = flat(view, piece.end);
    arc.center = flat(view, piece.center);
    // Seen from behind, a counter-clockwise arc runs clockwise.
    arc.normal = {0, 0, facing > 0 ? 1.0 : -1.0};
    out.push_back(arc);
    return;
  }
  const Vec3 ex = normalize(sub(piece.start, piece.center));
  const Vec3 ey = cross(piece.normal, ex);
  const int chords = std::max(4, static_cast<int>(std::ceil(piece.sweep / (2 * pi) * kChordsPerTurn)));
  Vec3 previous = flat(view, piece.start);
  for (int i = 1; i <= chords; ++i) {
    const double phi = piece.sweep * i / chords;
    const Vec3 world = add(piece.center, add(scale(ex, piece.radius * std::cos(phi)), scale(ey, piece.radius * std::sin(phi))));
    const Vec3 next = flat(view, world);
    out.push_back(flatSegment(previous, next));
    previous = next;
  }
}

// Approximate text extents: 0.6 of the height per character on one line
// (MText: its longest paragraph, lines 1.67 heights apart, hanging below the
// insertion point as with the default top-left attachment).
std::vector<Vec3> textCornersWorld(const Entity& e) {
  if (e.points.empty()) return {};
  std::size_t longest = 0, lines = 1, current = 0;
  const std::string_view text = e.text;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (e.kind == EntityKind::MText && text.substr(i, 2) == "\\P") {
      longest = std::max(longest, current);
      current = 0;
      ++lines;
      ++i;
    } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      ++current;  // count code points, not UTF-8 bytes
    }
  }
  longest = std::max(longest, current);
  const double width = 0.6 * e.height * static_cast<double>(longest);
  const Frame ocs = ocsFrame(e.normal);
  const Vec3 along = toWorld(ocs, {std::cos(e.rotation), std::sin(e.rotation), 0}, true);
  const Vec3 up = toWorld(ocs, {-std::sin(e.rotation), std::cos(e.rotation), 0}, true);
  Vec3 origin;
  Vec3 rise = scale(up, e.height);
  if (e.kind == EntityKind::Text) {
    origin = toWorld(ocs, e.points[0], false);  // TEXT stores its point in the entity system
  } else {
    origin = e.points[0];  // MTEXT stores a world point
    rise = scale(up, -e.height * (1 + 1.67 * static_cast<double>(lines - 1)));
  }
  const Vec3 run = scale(along, width);
  return {origin, add(origin, run), add(add(origin, run), rise), add(origin, rise)};
}

// The entity as flat pieces in the view, into `out` (cleared first); text as
// its box, points and block references as a zero-length piece at their
// position.
void planPiecesInto(const Frame& view, const Entity& e, std::vector<Piece>& out) {
  out.clear();
  switch (e.kind) {
    case EntityKind::Line:
      // The common case, without building its world outline first.
      if (e.points.size() >= 2) out.push_back(flatSegment(flat(view, e.points[0]), flat(view, e.points[1])));
      return;
    case EntityKind::Text:
    case EntityKind::MText: {
      auto corners = textCornersWorld(e);
      for (std::size_t i = 0; i < corners.size(); ++i) {
        out.push_back(flatSegment(flat(view, corners[i]), flat(view, corners[(i + 1) % corners.size()])));
      }
      return;
    }
    case EntityKind::Point:
    case EntityKind::BlockRef:
      if (!e.points.empty()) out.push_back(flatSegment(flat(view, e.points[0]), flat(view, e.points[0])));
      return;
    default:
      for (const Piece& piece : shapeOf(e)) projectPiece(view, piece, out);
      return;
  }
}

bool insideFlatBox(const std::vector<Piece>& box, Vec3 p) {
  // The four edges of a text box, in order: inside when on the same side of each.
  if (box.size() != 4) return false;
  int sign = 0;
  for (const Piece& edge : box) {
    const double side = (edge.end.x - edge.start.x) * (p.y - edge.start.y) - (edge.end.y - edge.start.y) * (p.x - edge.start.x);
    const int s = side > 0 ? 1 : (side < 0 ? -1 : 0);
    if (s == 0) continue;
    if (sign == 0) sign = s;
    if (s != sign) return false;
  }
  return sign != 0;  // a box of no size holds nothing
}

void extend(Box2& box, bool& any, Vec3 p) {
  if (!any) {
    box = {p.x, p.y, p.x, p.y};
    any = true;
    return;
  }
  box.minX = std::min(box.minX, p.x);
  box.minY = std::min(box.minY, p.y);
  box.maxX = std::max(box.maxX, p.x);
  box.maxY = std::max(box.maxY, p.y);
}

}  // namespace

namespace detail {

bool legCrosses(const Frame& view, Vec3 a, Vec3 b, const Entity& entity, std::vector<Piece>& scratch) {
  planPiecesInto(view, entity, scratch);
  if (scratch.empty()) return false;
  if (entity.kind == EntityKind::Text || entity.kind == EntityKind::MText) {
    if (insideFlatBox(scratch, a) || insideFlatBox(scratch, b)) return true;
  }
  const Piece leg = flatSegment(a, b);
  for (const Piece& piece : scratch) {
    if (!intersectPieces(leg, piece).empty()) return true;
  }
  return false;
}

std::optional<Box2> planBoundsIn(const Frame& view, const Entity& entity, std::vector<Piece>& scratch) {
  planPiecesInto(view, entity, scratch);
  Box2 box;
  bool any = false;
  for (const Piece& piece : scratch) {
    extend(box, any, piece.start);
    extend(box, any, piece.end);
    if (!piece.isArc) continue;
    // The extreme points of the circle in x and y, where the arc reaches them.
    const double tol = toleranceFor({piece.center}, piece.radius);
    for (Vec3 direction : {Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{-1, 0, 0}, Vec3{0, -1, 0}}) {
      const Vec3 p = add(piece.center, scale(direction, piece.radius));
      if (arcParameter(piece, p, tol)) extend(box, any, p);
    }
  }
  if (!any) return std::nullopt;
  return box;
}

}  // namespace detail

bool fenceCrosses(const Ucs& ucs, std::span<const Vec3> fenceWorld, const Entity& entity) {
  const Frame view = ucsFrame(ucs);
  std::vector<Piece> scratch;
  for (std::size_t i = 0; i + 1 < fenceWorld.size(); ++i) {
    if (detail::legCrosses(view, flat(view, fenceWorld[i]), flat(view, fenceWorld[i + 1]), entity, scratch)) return true;
  }
  return false;
}

bool Box2::overlaps(const Box2& other) const {
  return minX <= other.maxX && other.minX <= maxX && minY <= other.maxY && other.minY <= maxY;
}

std::optional<Box2> planBounds(const Ucs& ucs, const Entity& entity) {
  std::vector<Piece> scratch;
  return detail::planBoundsIn(ucsFrame(ucs), entity, scratch);
}

namespace {

struct Chord {
  double x0, y0, x1, y1, bulge;
};

std::vector<Chord> chordsOf(const Loop& loop) {
  std::vector<Chord> chords;
  const std::size_t n = loop.points.size();
  if (n < 2) return chords;
  chords.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    const Vec3& a = loop.points[i];
    const Vec3& b = loop.points[(i + 1) % n];
    double bulge = i < loop.bulges.size() && std::isfinite(loop.bulges[i]) ? loop.bulges[i] : 0.0;
    chords.push_back({a.x, a.y, b.x, b.y, bulge});
  }
  return chords;
}

// Signed area between a chord and its arc (positive for a counter-clockwise arc).
double arcSegmentArea(const Chord& c) {
  const double chord = std::hypot(c.x1 - c.x0, c.y1 - c.y0);
  if (c.bulge == 0 || chord == 0) return 0;
  const double theta = 4 * std::atan(std::abs(c.bulge));
  const double radius = chord / (2 * std::sin(theta / 2));
  const double area = radius * radius / 2 * (theta - std::sin(theta));
  return c.bulge > 0 ? area : -area;
}

// Whether p lies in the region between the chord and its arc: inside the
// circle and on the side of the chord where the arc runs (a counter-clockwise
// arc runs to the right of its chord).
bool inArcSegment(const Chord& c, double x, double y) {
  if (c.bulge == 0) return false;
  const Piece arc = bulgePiece({c.x0, c.y0, 0}, {c.x1, c.y1, 0}, c.bulge, {0, 0, 1});
  if (!arc.isArc) return false;
  if (std::hypot(x - arc.center.x, y - arc.center.y) >= arc.radius) return false;
  const double dx = c.x1 - c.x0, dy = c.y1 - c.y0;
  double side = dx * (y - c.y0) - dy * (x - c.x0);
  if (side == 0) {
    // On the chord's line: decide as the crossing count below does, for a
    // point nudged right and (less) up, so both halves of the rule agree.
    side = dy != 0 ? -dy : dx;
  }
  return c.bulge > 0 ? side < 0 : side > 0;
}

}  // namespace

double signedLoopArea(const Loop& loop) {
  double area = 0;
  for (const Chord& c : chordsOf(loop)) {
    area += (c.x0 * c.y1 - c.x1 * c.y0) / 2 + arcSegmentArea(c);
  }
  return area;
}

double loopArea(const Loop& loop) { return std::abs(signedLoopArea(loop)); }

bool pointInLoop(const Loop& loop, double x, double y) {
  const std::vector<Chord> chords = chordsOf(loop);
  if (chords.empty()) return false;
  const Vec3 p{x, y, 0};
  double magnitude = std::max(std::abs(x), std::abs(y));
  for (const Vec3& q : loop.points) magnitude = std::max({magnitude, std::abs(q.x), std::abs(q.y)});
  const double tol = detail::kRelativeTolerance * (1 + magnitude);
  // On the boundary counts as inside.
  for (const Chord& c : chords) {
    if (detail::onPiece(bulgePiece({c.x0, c.y0, 0}, {c.x1, c.y1, 0}, c.bulge, {0, 0, 1}), p, tol)) return true;
  }
  // Even-odd rule over the chord polygon; every arc segment toggles what it covers.
  bool inside = false;
  for (const Chord& c : chords) {
    if ((c.y0 > y) != (c.y1 > y)) {
      const double crossX = c.x0 + (y - c.y0) * (c.x1 - c.x0) / (c.y1 - c.y0);
      if (x < crossX) inside = !inside;
    }
    if (inArcSegment(c, x, y)) inside = !inside;
  }
  return inside;
}

std::optional<Loop> planLoop(const Ucs& ucs, const Entity& entity) {
  const Frame view = ucsFrame(ucs);
  auto facingOf = [&](Vec3 normal) { return dot(normalize(normal), view.z); };
  Loop loop;
  switch (entity.kind) {
    case EntityKind::Circle: {
      const double facing = facingOf(entity.normal);
      if (std::abs(facing) < 1 - 1e-9 || entity.points.empty() || !(entity.radius > 0)) return std::nullopt;
      const Vec3 center = fromWorld(view, ocsToWorld(entity.normal, entity.points[0], false), false);
      loop.points = {{center.x + entity.radius, center.y, center.z}, {center.x - entity.radius, center.y, center.z}};
      loop.bulges = {1, 1};
      return loop;
    }
    case EntityKind::LwPolyline:
    case EntityKind::Polyline2d: {
      const double facing = facingOf(entity.normal);
      if (!entity.closed || std::abs(facing) < 1 - 1e-9 || entity.points.size() < 2) return std::nullopt;
      const Frame ocs = ocsFrame(entity.normal);
      for (std::size_t i = 0; i < entity.points.size(); ++i) {
        const Vec3& p = entity.points[i];
        loop.points.push_back(fromWorld(view, toWorld(ocs, {p.x, p.y, entity.elevation}, false), false));
        const double bulge = i < entity.bulges.size() ? entity.bulges[i] : 0.0;
        loop.bulges.push_back(facing > 0 ? bulge : -bulge);
      }
      return loop;
    }
    case EntityKind::Polyline3d: {
      if (!entity.closed || entity.points.size() < 3) return std::nullopt;
      for (const Vec3& p : entity.points) loop.points.push_back(fromWorld(view, p, false));
      const double z = loop.points[0].z;
      const double tol = detail::kRelativeTolerance * (1 + std::abs(z)) * 1e3;
      for (const Vec3& p : loop.points) {
        if (std::abs(p.z - z) > tol) return std::nullopt;
      }
      loop.bulges.assign(loop.points.size(), 0.0);
      return loop;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace plotmate::sim
