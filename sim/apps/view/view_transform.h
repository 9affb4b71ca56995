#pragma once
// The drawing stand-in's view: the plan view of the current UCS mapped onto a
// window's client area (pixels grow right and down, plan y grows up), zoomed
// to the extents, about the cursor (the wheel) and panned by a drag.

#include <optional>

namespace plotmate::sim {

struct PlanPoint {
  double x = 0, y = 0;
};

struct PlanBox {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

class ViewTransform {
 public:
  // Shows the box whole and centred in a client of width x height pixels, a
  // margin of `margin` pixels kept free on every side. An empty or degenerate
  // box is shown at the scale of a box one unit across.
  void zoomExtents(const std::optional<PlanBox>& box, int width, int height, int margin = 16);
  // Scales by `factor` (above 1 zooms in) keeping the plan point under the
  // pixel (px, py) where it is.
  void zoomAbout(double factor, double px, double py);
  // Moves the picture by (dx, dy) pixels.
  void panBy(double dx, double dy);

  PlanPoint toScreen(PlanPoint plan) const;
  PlanPoint toPlan(PlanPoint screen) const;
  // Pixels per drawing unit.
  double scale() const { return scale_; }

 private:
  double scale_ = 1;
  double left_ = 0, top_ = 0;  // the plan point at pixel (0, 0)
};

}  // namespace plotmate::sim
