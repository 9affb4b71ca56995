// Where pieces and entities meet in space: segment and arc pairs, with
// overlaps reduced to their ends, and whole entities through their outlines.

#include <algorithm>
#include <cmath>

#include "sim/drawing/geometry.h"
#include "sim/drawing/geometry_internal.h"

namespace plotmate::sim {

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
