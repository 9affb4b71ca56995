// The visible stand-ins' geometry: the drawing view's transform and the
// sheet grid's hit-testing and mouse selection.

#include <gtest/gtest.h>

#include "sim/apps/view/sheet_grid.h"
#include "sim/apps/view/view_transform.h"

namespace plotmate::sim {
namespace {

TEST(StandInView, ExtentsFillTheClientCentredAndZoomKeepsThePointUnderTheCursor) {
  const struct {
    std::optional<PlanBox> box;
    double scale;       // pixels per unit after zooming to the extents
    PlanPoint centre;   // shown at the client's centre (110, 60)
  } cases[] = {
      {PlanBox{0, 0, 100, 50}, 2, {50, 25}},        // height decides
      {PlanBox{-10, 0, 390, 1}, 0.5, {190, 0.5}},   // width decides
      {PlanBox{5, 5, 5, 5}, 100, {5, 5}},           // one point: a unit box
      {PlanBox{0, 3, 400, 3}, 0.5, {200, 3}},       // a flat box by its width
      {std::nullopt, 100, {0, 0}},                  // an empty drawing
  };
  for (const auto& c : cases) {
    ViewTransform view;
    view.zoomExtents(c.box, 220, 120, 10);
    EXPECT_DOUBLE_EQ(view.scale(), c.scale);
    const PlanPoint centre = view.toScreen(c.centre);
    EXPECT_NEAR(centre.x, 110, 1e-9);
    EXPECT_NEAR(centre.y, 60, 1e-9);
    const PlanPoint under = view.toPlan({30, 17});
    view.zoomAbout(1.25, 30, 17);
    EXPECT_NEAR(view.toPlan({30, 17}).x, under.x, 1e-9);
    EXPECT_NEAR(view.toPlan({30, 17}).y, under.y, 1e-9);
    EXPECT_DOUBLE_EQ(view.scale(), c.scale * 1.25);
  }
  ViewTransform view;
  view.zoomExtents(PlanBox{0, 0, 100, 50}, 220, 120, 10);
  const PlanPoint before = view.toScreen({0, 0});
  view.panBy(7, -3);
  EXPECT_NEAR(view.toScreen({0, 0}).x, before.x + 7, 1e-9);
  EXPECT_NEAR(view.toScreen({0, 0}).y, before.y - 3, 1e-9) << "plan y grows up, pixels down";
}

TEST(StandInView, CellUnderAPixel) {
  const struct {
    CellRef topLeft;
    int x, y;
    std::optional<CellRef> cell;
  } cases[] = {
      {{1, 1}, 44, 22, CellRef{1, 1}},    // first pixel of A1
      {{1, 1}, 43, 30, std::nullopt},     // row header
      {{1, 1}, 60, 21, std::nullopt},     // column header
      {{1, 1}, 123, 43, CellRef{1, 1}},   // last pixel of A1
      {{1, 1}, 124, 44, CellRef{2, 2}},
      {{10, 3}, 44, 22, CellRef{10, 3}},  // scrolled
      {{1048576, 16384}, 124, 22, std::nullopt},  // past the last column
  };
  for (const auto& c : cases) {
    GridLayout grid;
    grid.topLeft = c.topLeft;
    EXPECT_EQ(grid.cellAt(c.x, c.y), c.cell) << c.x << "," << c.y;
    if (!c.cell) continue;
    const PixelRect r = grid.cellRect(*c.cell);
    EXPECT_EQ(grid.cellAt(r.left, r.top), c.cell);
    EXPECT_EQ(grid.cellAt(r.right - 1, r.bottom - 1), c.cell);
  }
  GridLayout grid;
  grid.scrollToShow({40, 12}, 44 + 80 * 5, 22 + 22 * 10);
  EXPECT_EQ(grid.topLeft, (CellRef{31, 8})) << "the least scroll that shows the cell whole";
  grid.scrollToShow({2, 1}, 44 + 80 * 5, 22 + 22 * 10);
  EXPECT_EQ(grid.topLeft, (CellRef{2, 1}));
}

TEST(StandInView, ClickShiftClickAndDragSpanFromTheAnchor) {
  MouseSelection mouse;
  mouse.click({2, 2}, false);
  mouse.click({4, 4}, true);
  EXPECT_EQ(mouse.area, (Area{{2, 2}, {4, 4}}));
  mouse.dragTo({1, 1});
  EXPECT_EQ(mouse.area, (Area{{1, 1}, {2, 2}})) << "dragged above and left of the anchor";
  EXPECT_EQ(mouse.anchor, (CellRef{2, 2}));
  mouse.click({5, 3}, false);
  EXPECT_EQ(mouse.area, Area::cell({5, 3}));
  EXPECT_EQ(mouse.anchor, (CellRef{5, 3}));
}

}  // namespace
}  // namespace plotmate::sim
