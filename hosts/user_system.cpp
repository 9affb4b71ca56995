#include "hosts/user_system.h"

#include <cmath>

namespace plotmate {

namespace {

Point3 cross(const Point3& a, const Point3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double dot(const Point3& a, const Point3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The unit vector along v; nothing for a zero or non-finite one.
std::optional<Point3> unit(const Point3& v) {
  const double length = std::sqrt(dot(v, v));
  if (!(length > 0) || !std::isfinite(length)) return std::nullopt;
  const double inverse = 1.0 / length;
  return Point3{v[0] * inverse, v[1] * inverse, v[2] * inverse};
}

constexpr double kTolerance = 1e-12;
bool isUnit(const Point3& v) { return std::abs(dot(v, v) - 1.0) < kTolerance; }

Result<Point3> readPoint(const AcadDocument& document, const char* name) {
  PLOTMATE_TRY(value, document.getVariable(name));
  return toPoint(*value);
}

}  // namespace

Result<CoordinateFrame> ReadUserSystem(const AcadDocument& document) {
  PLOTMATE_TRY(origin, readPoint(document, "UCSORG"));
  PLOTMATE_TRY(xAxis, readPoint(document, "UCSXDIR"));
  PLOTMATE_TRY(yAxis, readPoint(document, "UCSYDIR"));
  if (!std::isfinite(dot(*origin, *origin)))
    return fail(hr::kTypeMismatch, "The user system's origin is no point");
  // The host reports unit axes at right angles: taken as they are, so that
  // X and Y come out exactly as the host's own translation gives them.
  if (isUnit(*xAxis) && isUnit(*yAxis) && std::abs(dot(*xAxis, *yAxis)) < kTolerance)
    return CoordinateFrame{*origin, *xAxis, *yAxis, cross(*xAxis, *yAxis)};
  // Otherwise made orthonormal: Z from X and Y, then Y from Z and X.
  auto x = unit(*xAxis);
  auto z = x ? unit(cross(*x, *yAxis)) : std::nullopt;
  if (!x || !z) return fail(hr::kTypeMismatch, "The user system's axes are no coordinate system");
  return CoordinateFrame{*origin, *x, cross(*z, *x), *z};
}

std::optional<CoordinateFrame> EntitySystem(const Point3& normal) {
  auto n = unit(normal);
  if (!n) return std::nullopt;
  constexpr double kPolarCap = 1.0 / 64.0;
  const bool nearZ = std::abs((*n)[0]) < kPolarCap && std::abs((*n)[1]) < kPolarCap;
  auto x = unit(cross(nearZ ? Point3{0, 1, 0} : Point3{0, 0, 1}, *n));
  if (!x) return std::nullopt;
  auto y = unit(cross(*n, *x));
  if (!y) return std::nullopt;
  return CoordinateFrame{{0, 0, 0}, *x, *y, *n};
}

Point3 ToWorld(const CoordinateFrame& f, const Point3& p) {
  Point3 out;
  for (int i = 0; i < 3; ++i) out[i] = f.origin[i] + ((f.x[i] * p[0] + f.y[i] * p[1]) + f.z[i] * p[2]);
  return out;
}

Point3 FromWorld(const CoordinateFrame& f, const Point3& p) {
  const Point3 d{p[0] - f.origin[0], p[1] - f.origin[1], p[2] - f.origin[2]};
  return {dot(d, f.x), dot(d, f.y), dot(d, f.z)};
}

}  // namespace plotmate
