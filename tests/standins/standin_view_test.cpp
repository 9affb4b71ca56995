// The visible stand-ins' geometry: the drawing view's transform and the
// sheet grid's hit-testing and mouse selection.

#include <gtest/gtest.h>

#include <numbers>

#include "sim/apps/view/plan_outline.h"
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

// What the drawing window draws: a region's loops as separate closed paths
// (its islands are left clear by the fill), a block's lines where the
// reference places them.
TEST(StandInView, RegionLoopsAndPlacedBlocksInThePlanView) {
  Drawing drawing;
  drawing.defineBlock({"TICK", {1, 0, 0}, {Entity{.kind = EntityKind::Line, .points = {{1, 0, 0}, {3, 0, 0}}}}, {}});
  auto square = [](double a, double b) {
    return Loop{{{a, a, 0}, {b, a, 0}, {b, b, 0}, {a, b, 0}}, {0, 0, 0, 0}};
  };
  const Entity region{.kind = EntityKind::Region, .loops = {square(0, 10), square(4, 6)}};
  const auto loops = planPaths(drawing, region);
  ASSERT_EQ(loops.size(), 2u) << "outer boundary and island apart";
  for (const auto& loop : loops) {
    ASSERT_EQ(loop.size(), 5u);
    EXPECT_NEAR(loop.front().x, loop.back().x, 1e-9) << "closed";
    EXPECT_NEAR(loop.front().y, loop.back().y, 1e-9) << "closed";
  }
  EXPECT_NEAR(loops[1][0].x, 4, 1e-9);
  const Entity reference{.kind = EntityKind::BlockRef, .points = {{10, 10, 0}}, .rotation = std::numbers::pi / 2,
                         .blockName = "TICK", .scale = {2, 2, 1}};
  const auto placed = planPaths(drawing, reference);
  ASSERT_EQ(placed.size(), 1u);
  ASSERT_EQ(placed[0].size(), 2u);
  EXPECT_NEAR(placed[0][0].x, 10, 1e-9);  // the base point lands on the insertion point
  EXPECT_NEAR(placed[0][0].y, 10, 1e-9);
  EXPECT_NEAR(placed[0][1].x, 10, 1e-9);  // 2 units along x, doubled, turned a quarter
  EXPECT_NEAR(placed[0][1].y, 14, 1e-9);
  drawing.add(region);
  const auto box = drawingExtents(drawing);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->maxX, 10);
  EXPECT_FALSE(drawingExtents(Drawing{}));
}

TEST(StandInView, CellUnderAPixel) {
  const struct { CellRef topLeft; int x, y; std::optional<CellRef> cell; } cases[] = {
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
