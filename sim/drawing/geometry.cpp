// Entity outlines in world space and their intersections in space.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/drawing/geometry.h"
#include "sim/drawing/geometry_internal.h"

namespace plotmate::sim {

using std::numbers::pi;

namespace {

// A sweep in (0, 2*pi]: an arc whose end angle equals its start angle is a
// whole turn rather than nothing, so it never silently vanishes.
double sweepBetween(double startAngle, double endAngle) {
  double sweep = std::fmod(endAngle - startAngle, 2 * pi);
  if (sweep < 0) sweep += 2 * pi;
  if (sweep <= 1e-12) sweep = 2 * pi;
  return sweep;
}

Piece fullCircle(Vec3 center, double radius, const Frame& plane) {
  Piece piece;
  piece.isArc = true;
  piece.center = center;
  piece.radius = radius;
  piece.normal = plane.z;
  piece.start = add(center, scale(plane.x, radius));
  piece.end = piece.start;
  piece.sweep = 2 * pi;
  return piece;
}

Piece arcPiece(Vec3 center, double radius, const Frame& plane, double startAngle, double sweep) {
  auto onCircle = [&](double angle) {
    return add(center, add(scale(plane.x, radius * std::cos(angle)), scale(plane.y, radius * std::sin(angle))));
  };
  Piece piece;
  piece.isArc = true;
  piece.center = center;
  piece.radius = radius;
  piece.normal = plane.z;
  piece.start = onCircle(startAngle);
  piece.end = onCircle(startAngle + sweep);
  piece.sweep = sweep;
  return piece;
}

// Vertices joined in order (and back to the first when closed); the bulge of
// vertex i shapes the piece from i to i + 1.
std::vector<Piece> chainPieces(const std::vector<Vec3>& world, const std::vector<double>& bulges,
                               bool closed, Vec3 normal) {
  std::vector<Piece> pieces;
  const std::size_t n = world.size();
  if (n == 0) return pieces;
  if (n == 1) {
    // A single vertex still has a position: a zero-length piece keeps it
    // findable by fence and intersection.
    pieces.push_back(bulgePiece(world[0], world[0], 0, normal));
    return pieces;
  }
  const std::size_t count = closed ? n : n - 1;
  pieces.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    double bulge = i < bulges.size() ? bulges[i] : 0.0;
    pieces.push_back(bulgePiece(world[i], world[(i + 1) % n], bulge, normal));
  }
  return pieces;
}

std::vector<Piece> polylinePieces(const Entity& e) {
  std::vector<Vec3> world;
  world.reserve(e.points.size());
  Vec3 normal = normalize(e.normal);
  if (length(normal) == 0) normal = {0, 0, 1};
  if (e.kind == EntityKind::Polyline3d) {
    world = e.points;
  } else {
    // Lightweight and old-style 2-D vertices lie in the entity system at the
    // polyline's elevation (DXF: 10/20 in OCS, 38 or the 30 of the POLYLINE).
    const Frame ocs = ocsFrame(normal);
    for (const Vec3& p : e.points) world.push_back(toWorld(ocs, {p.x, p.y, e.elevation}, false));
  }
  return chainPieces(world, e.kind == EntityKind::Polyline3d ? std::vector<double>{} : e.bulges,
                     e.closed, normal);
}

}  // namespace

Piece bulgePiece(Vec3 start, Vec3 end, double bulge, Vec3 normal) {
  Piece piece;
  piece.start = start;
  piece.end = end;
  const Vec3 chord = sub(end, start);
  const double chordLength = length(chord);
  if (!std::isfinite(bulge) || std::abs(bulge) < 1e-12 || chordLength == 0) return piece;
  // Bulge = tan(theta / 4), positive counter-clockwise about the normal. A
  // clockwise arc is a counter-clockwise one about the reversed normal.
  const double theta = 4 * std::atan(std::abs(bulge));
  const double radius = chordLength / (2 * std::sin(theta / 2));
  const Vec3 axis = bulge > 0 ? normalize(normal) : scale(normalize(normal), -1);
  const Vec3 direction = scale(chord, 1.0 / chordLength);
  const Vec3 towardCenter = cross(axis, direction);
  piece.isArc = true;
  piece.normal = axis;
  piece.radius = radius;
  piece.sweep = theta;
  piece.center = add(scale(add(start, end), 0.5), scale(towardCenter, radius * std::cos(theta / 2)));
  return piece;
}

std::vector<Piece> shapeOf(const Entity& e) {
  switch (e.kind) {
    case EntityKind::Line:
      if (e.points.size() >= 2) return {bulgePiece(e.points[0], e.points[1], 0, {0, 0, 1})};
      return {};
    case EntityKind::LwPolyline:
    case EntityKind::Polyline2d:
    case EntityKind::Polyline3d:
      return polylinePieces(e);
    case EntityKind::Circle:
    case EntityKind::Arc: {
      if (e.points.empty() || !(e.radius > 0) || !std::isfinite(e.radius)) return {};
      // Centre in the entity system (DXF 10/20/30 of CIRCLE and ARC are OCS).
      const Frame ocs = ocsFrame(e.normal);
      const Vec3 center = toWorld(ocs, e.points[0], false);
      if (e.kind == EntityKind::Circle) return {fullCircle(center, e.radius, ocs)};
      return {arcPiece(center, e.radius, ocs, e.startAngle, sweepBetween(e.startAngle, e.endAngle))};
    }
    case EntityKind::Region: {
      std::vector<Piece> pieces;
      for (const Loop& loop : e.loops) {
        auto more = chainPieces(loop.points, loop.bulges, true, {0, 0, 1});
        pieces.insert(pieces.end(), more.begin(), more.end());
      }
      return pieces;
    }
    case EntityKind::Text:
    case EntityKind::MText:
    case EntityKind::Point:
    case EntityKind::BlockRef:
      return {};
  }
  return {};
}

namespace detail {

double toleranceAt(double magnitude) { return kRelativeTolerance * (1.0 + magnitude); }

double toleranceFor(std::initializer_list<Vec3> points, double extra) {
  double magnitude = extra;
  for (const Vec3& p : points) {
    magnitude = std::max({magnitude, std::abs(p.x), std::abs(p.y), std::abs(p.z)});
  }
  return toleranceAt(magnitude);
}

double magnitudeOf(const Piece& piece) {
  double m = piece.radius;
  for (const Vec3& p : {piece.start, piece.end, piece.center})
    m = std::max({m, std::abs(p.x), std::abs(p.y), std::abs(p.z)});
  return m;
}

double pieceTolerance(const Piece& a, const Piece& b) {
  return toleranceAt(std::max(magnitudeOf(a), magnitudeOf(b)));
}

double angleOnArc(const Piece& arc, Vec3 p) {
  const Vec3 ex = normalize(sub(arc.start, arc.center));
  const Vec3 ey = cross(arc.normal, ex);
  const Vec3 d = sub(p, arc.center);
  double angle = std::atan2(dot(d, ey), dot(d, ex));
  if (angle < 0) angle += 2 * pi;
  return angle;
}

std::optional<double> arcParameter(const Piece& arc, Vec3 p, double tol) {
  double angle = angleOnArc(arc, p);
  const double angleTol = tol / arc.radius;
  if (angle <= arc.sweep + angleTol) return std::min(angle, arc.sweep);
  if (angle >= 2 * pi - angleTol) return 0.0;  // just before the start
  return std::nullopt;
}

double parameterOn(const Piece& piece, Vec3 p, double tol) {
  if (piece.isArc) return arcParameter(piece, p, tol).value_or(0.0);
  const Vec3 u = sub(piece.end, piece.start);
  const double uu = dot(u, u);
  return uu > 0 ? dot(sub(p, piece.start), u) / uu : 0.0;
}

bool onPiece(const Piece& piece, Vec3 p, double tol) {
  if (piece.isArc) {
    const Vec3 d = sub(p, piece.center);
    if (std::abs(dot(d, piece.normal)) > tol) return false;
    if (std::abs(length(d) - piece.radius) > tol) return false;
    return arcParameter(piece, p, tol).has_value();
  }
  const Vec3 u = sub(piece.end, piece.start);
  const double uu = dot(u, u);
  const double s = uu > 0 ? std::clamp(dot(sub(p, piece.start), u) / uu, 0.0, 1.0) : 0.0;
  return length(sub(p, add(piece.start, scale(u, s)))) <= tol;
}

}  // namespace detail

namespace {

using detail::onPiece;

// Closest points of two segments (clamped to both), after Ericson's
// "Real-Time Collision Detection", 5.1.9.
std::pair<Vec3, Vec3> closestPoints(const Piece& a, const Piece& b) {
  const Vec3 d1 = sub(a.end, a.start), d2 = sub(b.end, b.start), r = sub(a.start, b.start);
  const double aa = dot(d1, d1), ee = dot(d2, d2), f = dot(d2, r);
  double s = 0, t = 0;
  if (aa <= 0 && ee <= 0) return {a.start, b.start};
  if (aa <= 0) {
    t = std::clamp(f / ee, 0.0, 1.0);
  } else {
    const double c = dot(d1, r);
    if (ee <= 0) {
      s = std::clamp(-c / aa, 0.0, 1.0);
    } else {
      const double bb = dot(d1, d2), denom = aa * ee - bb * bb;
      s = denom > 0 ? std::clamp((bb * f - c * ee) / denom, 0.0, 1.0) : 0.0;
      t = (bb * s + f) / ee;
      if (t < 0) {
        t = 0;
        s = std::clamp(-c / aa, 0.0, 1.0);
      } else if (t > 1) {
        t = 1;
        s = std::clamp((bb - c) / aa, 0.0, 1.0);
      }
    }
  }
  return {add(a.start, scale(d1, s)), add(b.start, scale(d2, t))};
}

// Pieces that share a stretch (collinear segments, arcs of one circle) meet
// in infinitely many points; the host is taken to report the ends of the
// shared stretch: every end point of either piece that lies on the other.
std::vector<Vec3> overlapEnds(const Piece& a, const Piece& b, double tol) {
  std::vector<Vec3> points;
  for (const Vec3& p : {a.start, a.end}) {
    if (onPiece(b, p, tol)) points.push_back(p);
  }
  for (const Vec3& p : {b.start, b.end}) {
    if (onPiece(a, p, tol)) points.push_back(p);
  }
  return points;
}

std::vector<Vec3> segmentSegment(const Piece& a, const Piece& b, double tol) {
  const Vec3 u = sub(a.end, a.start), v = sub(b.end, b.start);
  const double lu = length(u), lv = length(v);
  if (lu > tol && lv > tol && length(cross(u, v)) <= 1e-10 * lu * lv) {
    // Parallel: they meet only when collinear, along a shared stretch.
    const Vec3 offset = sub(b.start, a.start);
    if (length(cross(offset, u)) / lu > tol) return {};
    return overlapEnds(a, b, tol);
  }
  auto [pa, pb] = closestPoints(a, b);
  if (length(sub(pa, pb)) > tol) return {};
  return {pb};
}

std::vector<Vec3> segmentArc(const Piece& seg, const Piece& arc, double tol) {
  const Vec3 n = arc.normal, c = arc.center;
  const Vec3 u = sub(seg.end, seg.start);
  const double d0 = dot(sub(seg.start, c), n), d1 = dot(sub(seg.end, c), n);
  std::vector<Vec3> candidates;
  if (std::abs(d0) <= tol && std::abs(d1) <= tol) {
    // In the arc's plane: line against circle.
    const double uu = dot(u, u);
    if (uu == 0) {
      candidates.push_back(seg.start);
    } else {
      const Vec3 w = sub(seg.start, c);
      const double sMid = -dot(w, u) / uu;
      const Vec3 nearest = add(seg.start, scale(u, sMid));
      const double distance = length(sub(nearest, c));
      if (std::abs(distance - arc.radius) <= tol) {
        candidates.push_back(nearest);  // tangent
      } else if (distance < arc.radius) {
        const double half = std::sqrt(arc.radius * arc.radius - distance * distance) / std::sqrt(uu);
        for (double s : {sMid - half, sMid + half}) {
          const double sTol = tol / std::sqrt(uu);
          if (s >= -sTol && s <= 1 + sTol) candidates.push_back(add(seg.start, scale(u, std::clamp(s, 0.0, 1.0))));
        }
      }
    }
  } else {
    // Across the plane: the one point where the segment pierces it.
    if ((d0 > tol && d1 > tol) || (d0 < -tol && d1 < -tol) || d0 == d1) return {};
    const double s = std::clamp(d0 / (d0 - d1), 0.0, 1.0);
    candidates.push_back(add(seg.start, scale(u, s)));
  }
  std::vector<Vec3> points;
  for (const Vec3& p : candidates) {
    if (onPiece(arc, p, tol) && onPiece(seg, p, tol)) points.push_back(p);
  }
  return points;
}

std::vector<Vec3> arcArc(const Piece& a, const Piece& b, double tol) {
  std::vector<Vec3> candidates;
  const Vec3 axis = cross(a.normal, b.normal);
  if (length(axis) <= 1e-12) {
    // Parallel planes: only coplanar arcs can meet.
    if (std::abs(dot(sub(b.center, a.center), a.normal)) > tol) return {};
    const Vec3 between = sub(b.center, a.center);
    const double d = length(between);
    if (d <= tol && std::abs(a.radius - b.radius) <= tol) return overlapEnds(a, b, tol);
    if (d <= tol || d > a.radius + b.radius + tol || d < std::abs(a.radius - b.radius) - tol) return {};
    const Vec3 ex = scale(between, 1.0 / d);
    const Vec3 ey = cross(a.normal, ex);
    const double along = (d * d + a.radius * a.radius - b.radius * b.radius) / (2 * d);
    const double h = std::sqrt(std::max(0.0, a.radius * a.radius - along * along));
    const Vec3 foot = add(a.center, scale(ex, along));
    candidates.push_back(add(foot, scale(ey, h)));
    if (h > tol) candidates.push_back(sub(foot, scale(ey, h)));
  } else {
    // Crossing planes: where a's circle pierces b's plane, then on b's circle.
    const Vec3 ex = normalize(sub(a.start, a.center));
    const Vec3 ey = cross(a.normal, ex);
    const double k = dot(sub(a.center, b.center), b.normal);
    const double p = a.radius * dot(ex, b.normal), q = a.radius * dot(ey, b.normal);
    const double amplitude = std::hypot(p, q);
    if (amplitude == 0 || std::abs(k) > amplitude + tol) return {};
    const double base = std::atan2(q, p);
    const double spread = std::acos(std::clamp(-k / amplitude, -1.0, 1.0));
    for (double phi : {base + spread, base - spread}) {
      candidates.push_back(add(a.center, add(scale(ex, a.radius * std::cos(phi)), scale(ey, a.radius * std::sin(phi)))));
    }
  }
  std::vector<Vec3> points;
  for (const Vec3& p : candidates) {
    if (onPiece(a, p, tol) && onPiece(b, p, tol)) points.push_back(p);
  }
  return points;
}

bool contains(const std::vector<Vec3>& points, Vec3 p, double tol) {
  return std::ranges::any_of(points, [&](Vec3 q) { return length(sub(p, q)) <= tol; });
}

}  // namespace

std::vector<Vec3> intersectPieces(const Piece& a, const Piece& b) {
  const double tol = detail::pieceTolerance(a, b);
  std::vector<Vec3> found;
  if (!a.isArc && !b.isArc) {
    found = segmentSegment(a, b, tol);
  } else if (!a.isArc) {
    found = segmentArc(a, b, tol);
  } else if (!b.isArc) {
    found = segmentArc(b, a, tol);
  } else {
    found = arcArc(a, b, tol);
  }
  std::vector<Vec3> unique;
  for (const Vec3& p : found) {
    if (!contains(unique, p, tol)) unique.push_back(p);
  }
  std::ranges::sort(unique, {}, [&](Vec3 p) { return detail::parameterOn(b, p, tol); });
  return unique;
}

namespace {

struct Bounds {
  Vec3 lo, hi;
};

// A box that holds the whole piece (an arc's whole circle, for simplicity).
Bounds boundsOf(const Piece& piece) {
  Bounds b{{std::min(piece.start.x, piece.end.x), std::min(piece.start.y, piece.end.y),
            std::min(piece.start.z, piece.end.z)},
           {std::max(piece.start.x, piece.end.x), std::max(piece.start.y, piece.end.y),
            std::max(piece.start.z, piece.end.z)}};
  if (piece.isArc) {
    const Vec3 r{piece.radius, piece.radius, piece.radius};
    b = {sub(piece.center, r), add(piece.center, r)};
  }
  return b;
}

Bounds unite(const Bounds& a, const Bounds& b) {
  return {{std::min(a.lo.x, b.lo.x), std::min(a.lo.y, b.lo.y), std::min(a.lo.z, b.lo.z)},
          {std::max(a.hi.x, b.hi.x), std::max(a.hi.y, b.hi.y), std::max(a.hi.z, b.hi.z)}};
}

bool apart(const Bounds& a, const Bounds& b, double margin) {
  return a.hi.x + margin < b.lo.x || b.hi.x + margin < a.lo.x || a.hi.y + margin < b.lo.y ||
         b.hi.y + margin < a.lo.y || a.hi.z + margin < b.lo.z || b.hi.z + margin < a.lo.z;
}

// One entity's pieces with what the pairwise search needs of each.
struct Outline {
  std::vector<Piece> pieces;
  std::vector<Bounds> bounds;
  std::vector<double> magnitude;
  Bounds whole{};
  double largest = 0;
};

Outline outlineOf(const Entity& entity) {
  Outline o{shapeOf(entity), {}, {}, {}, 0};
  o.bounds.reserve(o.pieces.size());
  o.magnitude.reserve(o.pieces.size());
  for (std::size_t i = 0; i < o.pieces.size(); ++i) {
    o.bounds.push_back(boundsOf(o.pieces[i]));
    o.magnitude.push_back(detail::magnitudeOf(o.pieces[i]));
    o.whole = i == 0 ? o.bounds[0] : unite(o.whole, o.bounds[i]);
    o.largest = std::max(o.largest, o.magnitude[i]);
  }
  return o;
}

}  // namespace

// Pieces whose boxes lie apart by more than the largest tolerance of the pair
// cannot meet, so they are skipped: a line against a polyline of thousands of
// vertices tests only the pieces near it. The tolerance each pair would have
// had is still taken in the same order, so the points and their order are
// those of testing every pair.
std::vector<Vec3> intersectWith(const Entity& a, const Entity& b) {
  const Outline outlineA = outlineOf(a), outlineB = outlineOf(b);
  std::vector<Vec3> result;
  for (std::size_t j = 0; j < outlineB.pieces.size(); ++j) {
    const Piece& pb = outlineB.pieces[j];
    const double magnitudeB = outlineB.magnitude[j];
    const double widest = detail::toleranceAt(std::max(outlineA.largest, magnitudeB));
    if (apart(outlineA.whole, outlineB.bounds[j], widest)) continue;
    std::vector<std::pair<double, Vec3>> here;
    double magnitude = magnitudeB;
    for (std::size_t i = 0; i < outlineA.pieces.size(); ++i) {
      magnitude = std::max(magnitude, outlineA.magnitude[i]);
      if (apart(outlineA.bounds[i], outlineB.bounds[j], widest)) continue;
      const double tol = detail::toleranceAt(magnitude);
      for (const Vec3& p : intersectPieces(outlineA.pieces[i], pb))
        here.emplace_back(detail::parameterOn(pb, p, tol), p);
    }
    std::ranges::stable_sort(here, {}, &std::pair<double, Vec3>::first);
    // A meeting at a shared vertex shows up on both neighbouring pieces: once.
    for (const auto& [t, p] : here) {
      if (!contains(result, p, widest)) result.push_back(p);
    }
  }
  return result;
}

}  // namespace plotmate::sim
