#include "sim/drawing/spatial_index.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "sim/drawing/geometry_internal.h"
#include "sim/drawing/type_filter.h"

namespace plotmate::sim {

namespace {

constexpr std::size_t kMaxCellsPerSide = 1024;
constexpr std::size_t kEntityKinds = static_cast<std::size_t>(EntityKind::Region) + 1;

bool finite(const Box2& b) {
  return std::isfinite(b.minX) && std::isfinite(b.minY) && std::isfinite(b.maxX) && std::isfinite(b.maxY);
}

}  // namespace

SpatialIndex::SpatialIndex(std::span<const Entity* const> entities, const Ucs& ucs) {
  sizeGrid(measure(entities, ucs));
  fillCells(spans());
}

// Every entity's box and the extent of those that can be placed; returns
// how many can.
std::size_t SpatialIndex::measure(std::span<const Entity* const> entities, const Ucs& ucs) {
  boxes_.reserve(entities.size());
  bool any = false;
  std::size_t placed = 0;
  const Frame view = ucsFrame(ucs);
  std::vector<Piece> scratch;
  for (const Entity* e : entities) {
    boxes_.push_back(detail::planBoundsIn(view, *e, scratch));
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
  return placed;
}

// About one entity per cell, the cells as square as the extent allows.
void SpatialIndex::sizeGrid(std::size_t placed) {
  const double width = extent_.maxX - extent_.minX, height = extent_.maxY - extent_.minY;
  const double count = static_cast<double>(std::max<std::size_t>(placed, 1));
  double across = width > 0 && height > 0 ? std::sqrt(count * width / height) : (width > 0 ? count : 1);
  columns_ = static_cast<std::size_t>(std::clamp(std::round(across), 1.0, double(kMaxCellsPerSide)));
  rows_ = height > 0 ? std::clamp<std::size_t>((placed + columns_ - 1) / columns_, 1, kMaxCellsPerSide) : 1;
  cellWidth_ = width > 0 ? width / double(columns_) : 1;
  cellHeight_ = height > 0 ? height / double(rows_) : 1;
}

// The cells each entity covers; an entity that cannot be placed or covers
// much of the grid goes to the large list instead (the exact test decides).
std::vector<SpatialIndex::Span> SpatialIndex::spans() {
  const std::size_t largeSpan = std::max<std::size_t>(16, columns_ * rows_ / 4);
  std::vector<Span> out(boxes_.size());
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    const auto& box = boxes_[i];
    if (!box) continue;
    if (!finite(*box)) {
      large_.push_back(i);
      continue;
    }
    Span span{column(box->minX), column(box->maxX), row(box->minY), row(box->maxY)};
    if ((span.c1 - span.c0 + 1) * (span.r1 - span.r0 + 1) > largeSpan) {
      large_.push_back(i);
      continue;
    }
    out[i] = span;
  }
  return out;
}

// Cells as one flat list (counted first, then filled): no allocation per cell.
void SpatialIndex::fillCells(const std::vector<Span>& spans) {
  const std::size_t cellCount = columns_ * rows_;
  cellStart_.assign(cellCount + 1, 0);
  for (const Span& span : spans)
    for (std::size_t r = span.r0; r <= span.r1; ++r)
      for (std::size_t c = span.c0; c <= span.c1; ++c) ++cellStart_[r * columns_ + c + 1];
  for (std::size_t c = 0; c < cellCount; ++c) cellStart_[c + 1] += cellStart_[c];
  items_.resize(cellStart_[cellCount]);
  std::vector<std::size_t> fill(cellStart_.begin(), cellStart_.end() - 1);
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const Span& span = spans[i];
    for (std::size_t r = span.r0; r <= span.r1; ++r)
      for (std::size_t c = span.c0; c <= span.c1; ++c) items_[fill[r * columns_ + c]++] = i;
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
  const std::size_t begin = cellStart_[r * columns_ + firstColumn], end = cellStart_[r * columns_ + lastColumn + 1];
  out.insert(out.end(), items_.begin() + static_cast<std::ptrdiff_t>(begin), items_.begin() + static_cast<std::ptrdiff_t>(end));
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
  // The filter depends only on the kind: match each kind once, not each entity.
  std::array<bool, kEntityKinds> passes{};
  for (std::size_t k = 0; k < kEntityKinds; ++k) {
    passes[k] = !typeFilter || matchesTypeFilter(*typeFilter, static_cast<EntityKind>(k));
  }
  std::vector<const Entity*> pool;
  for (const Entity* e : drawing.entities()) {
    if (passes[static_cast<std::size_t>(e->kind)]) pool.push_back(e);
  }
  const SpatialIndex index(pool, ucs);
  const Frame view = ucsFrame(ucs);
  std::vector<unsigned char> chosen(pool.size(), 0);
  std::vector<Piece> scratch;
  for (std::size_t i = 0; i + 1 < fenceWorld.size(); ++i) {
    Vec3 a = fromWorld(view, fenceWorld[i], false), b = fromWorld(view, fenceWorld[i + 1], false);
    a.z = b.z = 0;  // the plan view
    const double margin = detail::toleranceFor({a, b});
    for (std::size_t position : index.candidatesAlong(a, b, margin)) {
      if (!chosen[position] && detail::legCrosses(view, a, b, *pool[position], scratch)) chosen[position] = 1;
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
