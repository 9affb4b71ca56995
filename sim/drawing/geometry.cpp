// Entity outlines in world space, piece by piece, and the tolerances and
// parameters on a piece that the intersections use.

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

}  // namespace plotmate::sim
