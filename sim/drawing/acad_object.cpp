#include "sim/drawing/acad_object.h"

#include "sim/drawing/acad_errors.h"

namespace plotmate::sim {

Result<Vec3> argPoint(std::span<const Variant> args, std::size_t i, std::string_view argument,
                      std::string_view method) {
  if (i >= args.size() || args[i].isMissing())
    return fail(hr::kBadParamCount, "Invalid number of parameters");
  auto values = toDoubles(args[i]);
  if (!values || values->size() != 3) return std::unexpected(invalidArgument(argument, method));
  return Vec3{(*values)[0], (*values)[1], (*values)[2]};
}

Result<std::vector<Vec3>> argPointList(std::span<const Variant> args, std::size_t i, int per,
                                       std::size_t least, std::string_view argument,
                                       std::string_view method) {
  if (i >= args.size() || args[i].isMissing())
    return fail(hr::kBadParamCount, "Invalid number of parameters");
  auto values = toDoubles(args[i]);
  std::size_t n = values ? values->size() : 0;
  if (!values || n % per != 0 || n / per < least)
    return std::unexpected(invalidArgument(argument, method));
  std::vector<Vec3> points;
  for (std::size_t k = 0; k < n; k += per)
    points.push_back({(*values)[k], (*values)[k + 1], per == 3 ? (*values)[k + 2] : 0.0});
  return points;
}

Variant pointVariant(Vec3 p) { return VariantList{Variant(p.x), Variant(p.y), Variant(p.z)}; }

Variant pointsVariant(std::span<const Vec3> points, int per) {
  VariantList list;
  list.reserve(points.size() * per);
  for (Vec3 p : points) {
    list.emplace_back(p.x);
    list.emplace_back(p.y);
    if (per == 3) list.emplace_back(p.z);
  }
  return list;
}

Result<Variant> noSuchMember(std::string_view name) {
  return fail(hr::kUnknownName, "Object doesn't support this property or method: " + std::string(name));
}

}  // namespace plotmate::sim
