#include "sim/drawing/spatial_index.h"

#include <algorithm>
#include <cmath>

#include "sim/drawing/geometry_internal.h"
#include "sim/drawing/type_filter.h"

namespace plotmate::sim {

namespace {

constexpr std::size_t kMaxCellsPerSide = 1024;

bool finite(const Box2& b) {
  return std::isfinite(b.minX) && std::isfinite(b.minY) && std::isfinite(b.maxX) && std::isfinite(b.maxY);
}

}  // namespace

SpatialIndex::SpatialIndex(std::span<const Entity* const> entities, const Ucs& ucs) {
  boxes_.reserve(entities.size());
  bool any = false;
  std::size_t placed = 0;
  for (const Entity* e : entities) {
    boxes_.push_back(planBounds(ucs, *e));
    const auto& box = boxes_.back();
    if (!box || !finite(*box)) continue;
    ++placed;
    if (!any) {
      extent_ = *box;
      any = true;
    } else {
      extent_ = {std::min(extent_.minX, box->minX), std::min(extent_.minY, box->minY),
                 std::max(extent_.maxX, box->maxX), std::max(extent_.maxY, box->maxY)};
    }
  }
  // About one entity per cell, the cells as square as the extent allows.
  const double width = extent_.maxX - extent_.minX, height = extent_.maxY - extent_.minY;
  const double count = static_cast<double>(std::max<std::size_t>(placed, 1));
  double across = width > 0 && height > 0 ? std::sqrt(count * width / height) : (width > 0 ? count : 1);
  columns_ = static_cast<std::size_t>(std::clamp(std::round(across), 1.0, double(kMaxCellsPerSide)));
  rows_ = height > 0 ? std::clamp<std::size_t>((placed + columns_ - 1) / columns_, 1, kMaxCellsPerSide) : 1;
  cellWidth_ = width > 0 ? width / double(columns_) : 1;
  cellHeight_ = height > 0 ? height / double(rows_) : 1;
  cells_.resize(columns_ * rows_);

  const std::size_t largeSpan = std::max<std::size_t>(16, cells_.size() / 4);
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    const auto& box = boxes_[i];
    if (!box) continue;
    if (!finite(*box)) {
      large_.push_back(i);  // cannot be placed; the exact test decides
      continue;
    }
    const std::size_t c0 = column(box->minX), c1 = column(box->maxX), r0 = row(box->minY), r1 = row(box->maxY);
    if ((c1 - c0 + 1) * (r1 - r0 + 1) > largeSpan) {
      large_.push_back(i);
      continue;
    }
    for (std::size_t r = r0; r <= r1; ++r) {
      for (std::size_t c = c0; c <= c1; ++c) cells_[r * columns_ + c].push_back(i);
    }
  }
}

std::size_t SpatialIndex::column(double x) const {
  const double c = std::floor((x - extent_.minX) / cellWidth_);
  if (!(c > 0)) return 0;  // also NaN
  return std::min(static_cast<std::size_t>(std::min(c, double(kMaxCellsPerSide))), columns_ - 1);
}

std::size_t SpatialIndex::row(double y) const {
  const double r = std::floor((y - extent_.minY) / cellHeight_);
  if (!(r > 0)) return 0;
  return std::min(static_cast<std::size_t>(std::min(r, double(kMaxCellsPerSide))), rows_ - 1);
}

void SpatialIndex::collect(std::size_t firstColumn, std::size_t lastColumn, std::size_t r,
                           std::vector<std::size_t>& out) const {
  for (std::size_t c = firstColumn; c <= lastColumn; ++c) {
    const auto& cell = cells_[r * columns_ + c];
    out.insert(out.end(), cell.begin(), cell.end());
  }
}

std::vector<std::size_t> SpatialIndex::finish(std::vector<std::size_t> found, const Box2& box) const {
  found.insert(found.end(), large_.begin(), large_.end());
  // A box that is not finite cannot be compared: the exact test decides.
  std::erase_if(found, [&](std::size_t i) { return finite(*boxes_[i]) && !boxes_[i]->overlaps(box); });
  std::ranges::sort(found);
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

std::vector<std::size_t> SpatialIndex::candidates(const Box2& box) const {
  std::vector<std::size_t> found;
  if (box.maxX >= extent_.minX && box.minX <= extent_.maxX && box.maxY >= extent_.minY && box.minY <= extent_.maxY) {
    for (std::size_t r = row(box.minY); r <= row(box.maxY); ++r) collect(column(box.minX), column(box.maxX), r, found);
  }
  return finish(std::move(found), box);
}

std::vector<std::size_t> SpatialIndex::candidatesAlong(Vec3 a, Vec3 b, double margin) const {
  const Box2 legBox{std::min(a.x, b.x) - margin, std::min(a.y, b.y) - margin, std::max(a.x, b.x) + margin,
                    std::max(a.y, b.y) + margin};
  std::vector<std::size_t> found;
  if (legBox.maxX >= extent_.minX && legBox.minX <= extent_.maxX && legBox.maxY >= extent_.minY &&
      legBox.minY <= extent_.maxY) {
    const double dy = b.y - a.y;
    for (std::size_t r = row(legBox.minY); r <= row(legBox.maxY); ++r) {
      // The stretch of the leg inside this row's band, widened by the margin.
      double low = std::max(legBox.minY, extent_.minY + double(r) * cellHeight_ - margin);
      double high = std::min(legBox.maxY, extent_.minY + double(r + 1) * cellHeight_ + margin);
      if (r == 0) low = legBox.minY;
      if (r + 1 == rows_) high = legBox.maxY;
      double x0 = legBox.minX, x1 = legBox.maxX;
      if (std::abs(dy) > margin) {
        const double xa = a.x + (low - a.y) / dy * (b.x - a.x), xb = a.x + (high - a.y) / dy * (b.x - a.x);
        x0 = std::max(x0, std::min(xa, xb) - margin);
        x1 = std::min(x1, std::max(xa, xb) + margin);
      }
      if (x0 <= x1) collect(column(x0), column(x1), r, found);
    }
  }
  return finish(std::move(found), legBox);
}

std::vector<std::string> selectByFence(const Drawing& drawing, const Ucs& ucs,
                                       std::span<const Vec3> fenceWorld,
                                       std::optional<std::string_view> typeFilter) {
  if (fenceWorld.size() < 2) return {};
  std::vector<const Entity*> pool;
  for (const Entity* e : drawing.entities()) {
    if (!typeFilter || matchesTypeFilter(*typeFilter, e->kind)) pool.push_back(e);
  }
  const SpatialIndex index(pool, ucs);
  const Frame view = ucsFrame(ucs);
  std::vector<unsigned char> chosen(pool.size(), 0);
  for (std::size_t i = 0; i + 1 < fenceWorld.size(); ++i) {
    const Vec3 a = fromWorld(view, fenceWorld[i], false), b = fromWorld(view, fenceWorld[i + 1], false);
    const double margin = detail::toleranceFor({a, b});
    for (std::size_t position : index.candidatesAlong(a, b, margin)) {
      if (!chosen[position] && fenceCrosses(ucs, fenceWorld.subspan(i, 2), *pool[position])) chosen[position] = 1;
    }
  }
  // The host's selection order is not documented; creation order is what a
  // drafter reading the set expects and is stable between runs.
  std::vector<std::string> handles;
  for (std::size_t i = 0; i < pool.size(); ++i) {
    if (chosen[i]) handles.push_back(pool[i]->handle);
  }
  return handles;
}

}  // namespace plotmate::sim
