#pragma once
// Flat point lists as they cross the drawing host's boundary: three numbers
// per point, or two for a lightweight polyline's own vertices.

#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "hosts/acad.h"

namespace plotmate {

// (x0, y0, x1, y1, ...) -> (x0, y0, 0, x1, y1, 0, ...). A trailing odd number
// belongs to no point and is dropped.
std::vector<double> WidenTo3D(std::span<const double> list);

// The list's first point; nothing when it holds fewer than three numbers.
std::optional<Point3> FirstPoint(std::span<const double> list);

inline void SwapXY(Point3& p) {
  std::swap(p[0], p[1]);
}

}  // namespace plotmate
