#include "sim/drawing/polygon_selection.h"

#include <optional>

#include "sim/args.h"
#include "sim/drawing/acad_errors.h"
#include "sim/drawing/geometry.h"
#include "sim/drawing/spatial_index.h"
#include "sim/drawing/type_filter.h"

namespace plotmate::sim {

bool SelectionFilter::passes(const Entity& entity) const {
  for (const auto& [code, pattern] : conditions) {
    bool ok = code == 0 ? matchesTypeFilter(pattern, entity.kind)
                        : matchesWildcard(pattern, entity.layer);
    if (!ok) return false;
  }
  return true;
}

namespace {

std::vector<Variant> asItems(const Variant& v) {
  if (auto list = v.getIf<VariantList>()) return *list;
  return {v};
}

}  // namespace

Result<SelectionFilter> readSelectionFilter(const Variant* codes, const Variant* values) {
  SelectionFilter filter;
  bool hasCodes = codes && !codes->isMissing();
  bool hasValues = values && !values->isMissing();
  if (!hasCodes && !hasValues) return filter;
  if (!hasCodes || !hasValues) return std::unexpected(invalidArgument("FilterType", "selection"));
  auto codeItems = asItems(*codes);
  auto valueItems = asItems(*values);
  if (codeItems.size() != valueItems.size())
    return std::unexpected(invalidArgument("FilterData", "selection"));
  for (std::size_t i = 0; i < codeItems.size(); ++i) {
    auto code = argInt(codeItems, i);
    auto text = argText(valueItems, i);
    if (!code || !text) return std::unexpected(invalidArgument("FilterData", "selection"));
    if (*code != 0 && *code != 8)
      return std::unexpected(notModelled("selection filter group code " + std::to_string(*code)));
    filter.conditions.emplace_back(*code, *text);
  }
  return filter;
}

namespace {

// The polygon in the plan view of the UCS, as a closed loop.
Loop planPolygon(const Ucs& ucs, std::span<const Vec3> pointsWorld) {
  Loop loop;
  for (Vec3 p : pointsWorld) {
    Vec3 u = fromWorld(ucs, p, false);
    loop.points.push_back({u.x, u.y, 0});
    loop.bulges.push_back(0);
  }
  return loop;
}

// A point of the entity in the plan view: an entity that does not cross the
// polygon's outline lies wholly inside or wholly outside, and this point says which.
Vec3 planPointOf(const Ucs& ucs, const Entity& e, const Box2& bounds) {
  auto pieces = shapeOf(e);
  if (!pieces.empty()) return fromWorld(ucs, pieces.front().start, false);
  if (e.kind == EntityKind::Point && !e.points.empty()) return fromWorld(ucs, e.points.front(), false);
  return {(bounds.minX + bounds.maxX) / 2, (bounds.minY + bounds.maxY) / 2, 0};
}

}  // namespace

Result<std::vector<std::string>> selectByPolygon(const Drawing& drawing, int mode,
                                                 std::span<const Vec3> pointsWorld,
                                                 const SelectionFilter& filter) {
  const char* method = "SelectByPolygon";
  if (mode == kSelectFence) {
    if (pointsWorld.size() < 2) return std::unexpected(invalidArgument("PointsList", method));
    std::optional<std::string_view> type;
    for (const auto& [code, pattern] : filter.conditions)
      if (code == 0) type = pattern;
    auto handles = selectByFence(drawing, drawing.ucs, pointsWorld, type);
    std::erase_if(handles, [&](const std::string& h) { return !filter.passes(*drawing.find(h)); });
    return handles;
  }
  if (mode != kSelectWindowPolygon && mode != kSelectCrossingPolygon)
    return std::unexpected(invalidArgument("Mode", method));
  if (pointsWorld.size() < 3) return std::unexpected(invalidArgument("PointsList", method));

  std::vector<Vec3> outline(pointsWorld.begin(), pointsWorld.end());
  outline.push_back(pointsWorld.front());
  Loop polygon = planPolygon(drawing.ucs, pointsWorld);
  std::vector<std::string> out;
  for (const Entity* e : drawing.entities()) {
    if (!filter.passes(*e)) continue;
    auto bounds = planBounds(drawing.ucs, *e);
    if (!bounds) continue;
    bool crosses = fenceCrosses(drawing.ucs, outline, *e);
    Vec3 p = planPointOf(drawing.ucs, *e, *bounds);
    bool inside = !crosses && pointInLoop(polygon, p.x, p.y);
    if (inside || (crosses && mode == kSelectCrossingPolygon)) out.push_back(e->handle);
  }
  return out;
}

}  // namespace plotmate::sim
