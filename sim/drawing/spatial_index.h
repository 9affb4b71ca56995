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
  SpatialIndex(std::span<const Entity* const> entities, const Ucs& ucs);
  // Positions (into the entities given) of those whose box overlaps `box`,
  // ascending, each once.
  std::vector<std::size_t> candidates(const Box2& box) const;
  // The same for the cells a plan-view segment passes through (view x and y
  // of a and b), widened by `margin`: far fewer than its box for a long
  // diagonal fence leg.
  std::vector<std::size_t> candidatesAlong(Vec3 a, Vec3 b, double margin) const;
  // The entity's box, or nothing when it has no extent.
  const std::optional<Box2>& bounds(std::size_t position) const { return boxes_[position]; }

 private:
  struct Span {
    std::size_t c0 = 1, c1 = 0, r0 = 1, r1 = 0;  // empty unless placed
  };
  std::size_t measure(std::span<const Entity* const> entities, const Ucs& ucs);
  void sizeGrid(std::size_t placed);
  std::vector<Span> spans();
  void fillCells(const std::vector<Span>& spans);
  std::size_t column(double x) const;
  std::size_t row(double y) const;
  void collect(std::size_t firstColumn, std::size_t lastColumn, std::size_t r,
               std::vector<std::size_t>& out) const;
  std::vector<std::size_t> finish(std::vector<std::size_t> found, const Box2& box) const;

  std::vector<std::optional<Box2>> boxes_;
  Box2 extent_{};
  std::size_t columns_ = 1, rows_ = 1;
  double cellWidth_ = 1, cellHeight_ = 1;
  // Entity positions by cell, row by row: cell k holds items_[cellStart_[k] .. cellStart_[k + 1]).
  std::vector<std::size_t> cellStart_;
  std::vector<std::size_t> items_;
  std::vector<std::size_t> large_;  // entities spanning much of the grid: always candidates
};

// Handles of the entities crossed by the open fence (world points, at least
// two), seen in the plan view of the UCS, that pass the type filter (a group
// code 0 pattern; nothing = every type), in creation order.
std::vector<std::string> selectByFence(const Drawing& drawing, const Ucs& ucs,
                                       std::span<const Vec3> fenceWorld,
                                       std::optional<std::string_view> typeFilter);

}  // namespace plotmate::sim
