#pragma once
// Fence selection over a drawing, sped up by a uniform grid of plan-view
// bounding boxes.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sim/drawing/geometry.h"
#include "sim/drawing/model.h"

namespace plotmate::sim {

// Entities bucketed by their bounding box in the plan view of one UCS.
class SpatialIndex {
 public:
  SpatialIndex(const Drawing& drawing, const Ucs& ucs);
  // Positions (in the drawing's creation order) of the entities whose box
  // overlaps `box`, ascending, each once.
  std::vector<std::size_t> candidates(const Box2& box) const;

 private:
  Box2 extent_{};
  std::size_t columns_ = 0, rows_ = 0;
  double cellWidth_ = 1, cellHeight_ = 1;
  std::vector<std::vector<std::size_t>> cells_;
  std::vector<Box2> boxes_;               // per entity position
  std::vector<unsigned char> hasBox_;     // 0 for entities without extent
  std::size_t cellIndex(double x, double y) const;
};

// Handles of the entities crossed by the open fence (world points), seen in
// the plan view of the UCS, that pass the type filter (nothing = every type),
// in creation order.
std::vector<std::string> selectByFence(const Drawing& drawing, const Ucs& ucs,
                                       std::span<const Vec3> fenceWorld,
                                       std::optional<std::string_view> typeFilter);

}  // namespace plotmate::sim
