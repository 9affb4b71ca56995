#include "pline/point_list.h"

namespace plotmate {

std::vector<double> WidenTo3D(std::span<const double> list) {
  std::vector<double> wide;
  wide.reserve(list.size() / 2 * 3);
  for (std::size_t i = 0; i + 1 < list.size(); i += 2) {
    wide.push_back(list[i]);
    wide.push_back(list[i + 1]);
    wide.push_back(0.0);
  }
  return wide;
}

std::optional<Point3> FirstPoint(std::span<const double> list) {
  if (list.size() < 3) return std::nullopt;
  return Point3{list[0], list[1], list[2]};
}

}  // namespace plotmate
