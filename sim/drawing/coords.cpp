#include "sim/drawing/coords.h"

#include <cmath>

namespace plotmate::sim {

Vec3 add(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 scale(Vec3 v, double factor) { return {v.x * factor, v.y * factor, v.z * factor}; }
double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double length(Vec3 v) { return std::sqrt(dot(v, v)); }
Vec3 normalize(Vec3 v) {
  double len = length(v);
  return len > 0 && std::isfinite(len) ? scale(v, 1.0 / len) : Vec3{};
}

Frame ucsFrame(const Ucs& ucs) {
  Vec3 x = normalize(ucs.xAxis);
  Vec3 z = normalize(cross(x, ucs.yAxis));
  if (length(x) == 0 || length(z) == 0) {
    // Degenerate axes (zero or parallel) cannot define a system: the world
    // axes at the given origin keep every translation finite.
    return Frame{ucs.origin, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  }
  return Frame{ucs.origin, x, cross(z, x), z};
}

Frame ocsFrame(Vec3 normal) {
  Vec3 n = normalize(normal);
  if (length(n) == 0) n = {0, 0, 1};
  // The arbitrary-axis rule of the DXF reference; 1/64 is its threshold.
  constexpr double kPolarCap = 1.0 / 64.0;
  Vec3 ax = (std::abs(n.x) < kPolarCap && std::abs(n.y) < kPolarCap) ? cross({0, 1, 0}, n)
                                                                      : cross({0, 0, 1}, n);
  ax = normalize(ax);
  Vec3 ay = normalize(cross(n, ax));
  return Frame{{0, 0, 0}, ax, ay, n};
}

Vec3 toWorld(const Frame& frame, Vec3 p, bool displacement) {
  Vec3 v = add(add(scale(frame.x, p.x), scale(frame.y, p.y)), scale(frame.z, p.z));
  return displacement ? v : add(frame.origin, v);
}

Vec3 fromWorld(const Frame& frame, Vec3 p, bool displacement) {
  Vec3 d = displacement ? p : sub(p, frame.origin);
  return {dot(d, frame.x), dot(d, frame.y), dot(d, frame.z)};
}

Vec3 toWorld(const Ucs& ucs, Vec3 p, bool displacement) {
  return toWorld(ucsFrame(ucs), p, displacement);
}
Vec3 fromWorld(const Ucs& ucs, Vec3 p, bool displacement) {
  return fromWorld(ucsFrame(ucs), p, displacement);
}
Vec3 ocsToWorld(Vec3 normal, Vec3 p, bool displacement) {
  return toWorld(ocsFrame(normal), p, displacement);
}
Vec3 worldToOcs(Vec3 normal, Vec3 p, bool displacement) {
  return fromWorld(ocsFrame(normal), p, displacement);
}

namespace {

Result<Frame> systemFrame(const Ucs& ucs, int code, std::optional<Vec3> normal) {
  switch (code) {
    case kWorldSystem: return Frame{};
    case kUserSystem: return ucsFrame(ucs);
    case kEntitySystem:
      // The reference requires the OCS normal for translations to or from the
      // entity system; without it there is no system to translate into.
      if (!normal) {
        return fail(hr::kInvalidArg, "TranslateCoordinates: the entity system (4) needs a normal vector");
      }
      if (!std::isfinite(normal->x) || !std::isfinite(normal->y) || !std::isfinite(normal->z) ||
          length(*normal) == 0) {
        return fail(hr::kInvalidArg, "TranslateCoordinates: the normal vector must be a finite, non-zero vector");
      }
      return ocsFrame(*normal);
    case kDisplaySystem:
    case kPaperSystem:
      return fail(hr::kInvalidArg,
                  "TranslateCoordinates: the display (2) and paper-space (3) systems are not available in this drawing host");
    default:
      return fail(hr::kInvalidArg, "TranslateCoordinates: unknown coordinate system code");
  }
}

}  // namespace

Result<Vec3> translateCoordinates(const Ucs& ucs, Vec3 p, int from, int to, bool displacement,
                                  std::optional<Vec3> normal) {
  PLOTMATE_TRY(source, systemFrame(ucs, from, normal));
  PLOTMATE_TRY(target, systemFrame(ucs, to, normal));
  return fromWorld(*target, toWorld(*source, p, displacement), displacement);
}

}  // namespace plotmate::sim
