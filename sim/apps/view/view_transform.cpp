#include "sim/apps/view/view_transform.h"

#include <algorithm>
#include <cmath>

namespace plotmate::sim {

namespace {

// Beyond these the picture is a dot or a single pixel's worth of a line:
// zooming further would only lose precision.
constexpr double kMinScale = 1e-9, kMaxScale = 1e9;

}  // namespace

void ViewTransform::zoomExtents(const std::optional<PlanBox>& box, int width, int height,
                                int margin) {
  PlanBox b = box.value_or(PlanBox{-0.5, -0.5, 0.5, 0.5});
  double w = b.maxX - b.minX, h = b.maxY - b.minY;
  const double usableW = std::max(1, width - 2 * margin), usableH = std::max(1, height - 2 * margin);
  if (!(w > 0) && !(h > 0)) w = h = 1;
  double fit = std::min(w > 0 ? usableW / w : kMaxScale, h > 0 ? usableH / h : kMaxScale);
  scale_ = std::isfinite(fit) ? std::clamp(fit, kMinScale, kMaxScale) : 1;
  const double cx = (b.minX + b.maxX) / 2, cy = (b.minY + b.maxY) / 2;
  left_ = cx - width / 2.0 / scale_;
  top_ = cy + height / 2.0 / scale_;
}

void ViewTransform::zoomAbout(double factor, double px, double py) {
  if (!(factor > 0) || !std::isfinite(factor)) return;
  const PlanPoint fixed = toPlan({px, py});
  scale_ = std::clamp(scale_ * factor, kMinScale, kMaxScale);
  left_ = fixed.x - px / scale_;
  top_ = fixed.y + py / scale_;
}

void ViewTransform::panBy(double dx, double dy) {
  left_ -= dx / scale_;
  top_ += dy / scale_;
}

PlanPoint ViewTransform::toScreen(PlanPoint plan) const {
  return {(plan.x - left_) * scale_, (top_ - plan.y) * scale_};
}

PlanPoint ViewTransform::toPlan(PlanPoint screen) const {
  return {left_ + screen.x / scale_, top_ - screen.y / scale_};
}

}  // namespace plotmate::sim
