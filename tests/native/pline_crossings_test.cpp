#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "pline/crossings.h"
#include "pline/polyline_to_sheet.h"
#include "tests/native/pline_test_support.h"

namespace plotmate {
namespace {

using namespace pline_testing;
using sim::Area;
using Row9 = std::array<double, 9>;

constexpr std::int32_t B = 2;

MainForm ticked() {
  MainForm form;
  form.chkboolIntersect = 1;
  return form;
}

Settings precision3(std::int16_t yox = 0) {
  Settings s;
  s.PREC = 3;
  s.YOX = yox;
  return s;
}

// The crossing rows a run wrote, for a run started on A1 with an n-vertex
// polyline: the vertex table takes rows 1 to n+2, the crossing rows start
// at row n+7, and the active cell ends below the last of them.
std::vector<Row9> crossingRows(const Desk& desk, std::int32_t vertices) {
  std::vector<Row9> rows;
  for (std::int32_t r = vertices + 7; r < desk.sheet->activeCell().row; ++r) {
    Row9 row{};
    for (std::int32_t k = 0; k < 9; ++k) row[k] = desk.number(r, 1 + k);
    rows.push_back(row);
  }
  return rows;
}

void expectRows(const std::vector<Row9>& actual, const std::vector<Row9>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i)
    for (std::size_t k = 0; k < 9; ++k)
      EXPECT_NEAR(actual[i][k], expected[i][k], 1e-9) << "row " << i << " value " << k;
}

TEST(CrossingTable, ExampleLayoutBelowTheVertexTable) {
  Desk desk;
  desk.queuePick(desk.add(polyline(EntityKind::LwPolyline, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}})));
  desk.add(line({5, -2.5, 0}, {5, 3, 0}));
  desk.add(line({8, 5, 0}, {12, 6, 0}));
  desk.sheet->activate(Area::cell({2, B}));
  PolylineToSheet(desk.hosts, desk.platform, precision3(), ticked());

  for (std::int32_t column = 1; column <= 12; ++column) {
    EXPECT_TRUE(desk.cell(7, column).isEmpty());
    EXPECT_TRUE(desk.cell(8, column).isEmpty());
  }
  EXPECT_EQ(desk.cell(9, 3), Variant("交点坐标"));
  EXPECT_EQ(desk.cell(9, 6), Variant("交线起点坐标"));
  EXPECT_EQ(desk.cell(9, 9), Variant("交线终点坐标"));
  const char* axes[] = {"X", "Y", "Z", "X", "Y", "Z", "X", "Y", "Z"};
  for (std::int32_t k = 0; k < 9; ++k) EXPECT_EQ(desk.cell(10, B + k), Variant(axes[k]));
  const Row9 expected[] = {{5, 0, 0, 5, -2.5, 0, 5, 3, 0}, {10, 5.5, 0, 8, 5, 0, 12, 6, 0}};
  for (std::int32_t i = 0; i < 2; ++i)
    for (std::int32_t k = 0; k < 9; ++k)
      EXPECT_DOUBLE_EQ(desk.number(11 + i, B + k), expected[i][k]);
  EXPECT_EQ(desk.sheet->cells().size(), 13u + 3u + 9u + 18u);  // nothing else written
  EXPECT_EQ(desk.sheet->activeCell(), (CellRef{13, B}));
}

struct GeometryCase {
  std::string name;
  sim::Entity polyline;
  std::vector<sim::Entity> others;
  std::vector<Row9> rows;
};

sim::Entity withBulges(sim::Entity e, std::vector<double> bulges) {
  e.bulges = std::move(bulges);
  return e;
}

sim::Entity circle(Vec3 c, double r) { return {.kind = EntityKind::Circle, .points = {c}, .radius = r}; }

TEST(CrossingTable, WhichLinesCountAndWhatTheirRowsHold) {
  const auto square =
      polyline(EntityKind::LwPolyline, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, true);
  // A half circle below the chord from (0,0) to (10,0).
  const auto halfCircle =
      withBulges(polyline(EntityKind::LwPolyline, {{0, 0, 0}, {10, 0, 0}}), {1, 0});
  const GeometryCase cases[] = {
      {"the closing segment is no part of the fence", square, {line({-1, 5, 0}, {1, 5, 0})}, {}},
      {"a line across the chord but not the arc keeps zeros", halfCircle, {line({5, -1, 0}, {5, 1, 0})}, {Row9{}}},
      {"a line across the arc but not the chord is not found", halfCircle, {line({0, -4, 0}, {10, -4, 0})}, {}},
      {"a line above a 3-D polyline keeps zeros", polyline(EntityKind::Polyline3d, {{0, 0, 0}, {10, 0, 0}}), {line({5, -1, 10}, {5, 1, 10})}, {Row9{}}},
      {"circles and polylines are no lines", square, {circle({10, 5, 0}, 1), polyline(EntityKind::LwPolyline, {{5, -1, 0}, {5, 1, 0}})}, {}},
      {"3-D crossing", polyline(EntityKind::Polyline3d, {{0, 0, 0}, {10, 0, 10}}), {line({5, -1, 5}, {5, 1, 5})}, {{5, 0, 5, 5, -1, 5, 5, 1, 5}}},
  };
  for (const auto& [name, pline, others, rows] : cases) {
    SCOPED_TRACE(name);
    Desk desk;
    desk.queuePick(desk.add(pline));
    for (const auto& other : others) desk.add(other);
    PolylineToSheet(desk.hosts, desk.platform, precision3(), ticked());
    expectRows(crossingRows(desk, static_cast<std::int32_t>(pline.points.size())), rows);
  }
}

TEST(CrossingTable, LineMeetingTwiceGetsOneRow) {
  Desk desk;
  desk.queuePick(
      desk.add(polyline(EntityKind::LwPolyline, {{0, 10, 0}, {0, 0, 0}, {10, 0, 0}, {10, 10, 0}})));
  desk.add(line({-5, 5, 0}, {15, 5, 0}));
  PolylineToSheet(desk.hosts, desk.platform, precision3(), ticked());
  const auto rows = crossingRows(desk, 4);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_TRUE((rows[0][0] == 0 || rows[0][0] == 10) && rows[0][1] == 5)
      << rows[0][0] << "," << rows[0][1];
  EXPECT_EQ((Row9{rows[0][3], rows[0][4], rows[0][5], rows[0][6], rows[0][7], rows[0][8]}),
            (Row9{-5, 5, 0, 15, 5, 0}));
}

// Whichever way the host says "they do not meet", the row stays zero and no
// point of another row leaks into it.
TEST(CrossingTable, NoMeetingAsEmptyValueOrEmptyListKeepsZeros) {
  for (auto answer : {sim::NoIntersectionAnswer::EmptyArray, sim::NoIntersectionAnswer::Empty}) {
    Desk desk;
    desk.drawing->noIntersection = answer;
    desk.queuePick(
        desk.add(withBulges(polyline(EntityKind::LwPolyline, {{0, 0, 0}, {10, 0, 0}}), {1, 0})));
    desk.add(line({3, -5, 0}, {3, 1, 0}));  // crosses the chord and meets the arc
    desk.add(line({5, -1, 0}, {5, 1, 0}));  // crosses the chord only
    PolylineToSheet(desk.hosts, desk.platform, precision3(), ticked());
    const auto rows = crossingRows(desk, 2);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NEAR(rows[0][0], 3, 1e-9);
    EXPECT_NEAR(rows[0][1], -std::sqrt(21.0), 1e-3);  // on the arc: centre (5, 0), radius 5
    EXPECT_EQ(rows[1], Row9{});
  }
}

// The fence is handed over in world coordinates: in a user system turned a
// quarter round and moved, the lines found are the ones that cross the
// polyline in the drawing, not the ones at its user coordinates.
TEST(CrossingTable, FenceFollowsThePolylineInAnyUserSystem) {
  Desk desk;
  desk.drawing->drawing.ucs = {{100, 0, 0}, {0, 1, 0}, {-1, 0, 0}};
  desk.queuePick(desk.add(polyline(EntityKind::Polyline3d, {{100, 0, 0}, {100, 10, 0}})));
  desk.add(line({5, -1, 0}, {5, 1, 0}));    // where the user coordinates would put the fence
  desk.add(line({95, 5, 0}, {105, 5, 0}));  // crosses the polyline
  PolylineToSheet(desk.hosts, desk.platform, precision3(), ticked());
  expectRows(crossingRows(desk, 2), {{5, 0, 0, 5, 5, 0, 5, -5, 0}});
}

TEST(CrossingTable, LightweightFenceAtItsElevationAndNormal) {
  Desk desk;
  auto facingDown =
      polyline(EntityKind::LwPolyline, {{0, 0, 0}, {10, 0, 0}});  // world (0,0)-(-10,0)
  facingDown.normal = {0, 0, -1};
  desk.queuePick(desk.add(facingDown));
  desk.add(line({-5, -1, 0}, {-5, 1, 0}));
  desk.add(line({5, -1, 0}, {5, 1, 0}));  // under its own-system coordinates only
  PolylineToSheet(desk.hosts, desk.platform, precision3(), ticked());
  expectRows(crossingRows(desk, 2), {{-5, 0, 0, -5, -1, 0, -5, 1, 0}});
}

TEST(CrossingTable, EveryLineIsRecordedAndWrittenHoweverMany) {
  Desk desk;
  desk.queuePick(desk.add(polyline(EntityKind::LwPolyline, {{0, 0, 0}, {100, 0, 0}})));
  for (int i = 0; i < 60; ++i) desk.add(line({i + 0.5, -1, 0}, {i + 0.5, 1, 0}));
  desk.sheet->activate(Area::cell({2, B}));
  PolylineToSheet(desk.hosts, desk.platform, precision3(), ticked());
  // R = 6 (first row below the vertex table): rows R+4 to R+63, active cell R+64.
  EXPECT_EQ(desk.sheet->activeCell(), (CellRef{70, B}));
  std::vector<double> intersections;
  for (std::int32_t r = 10; r < 70; ++r) intersections.push_back(desk.number(r, B));
  std::sort(intersections.begin(), intersections.end());
  for (int i = 0; i < 60; ++i) EXPECT_DOUBLE_EQ(intersections[i], i + 0.5);
  EXPECT_DOUBLE_EQ(desk.number(69, B + 6), desk.number(69, B));  // end X of the last row
  EXPECT_DOUBLE_EQ(desk.number(69, B + 7), 1);
}

TEST(CrossingTable, SwapUntickedAndEmptyCases) {
  struct Case { std::string name; bool withLines; MainForm form; std::int16_t yox; CellRef active; };
  const Case cases[] = {
      {"no line crosses", false, ticked(), 0, {7, B}},
      {"box not ticked", true, MainForm{}, 0, {7, B}},
      {"engineering coordinates", true, ticked(), 1, {12, B}},
  };
  for (const auto& [name, withLines, form, yox, active] : cases) {
    SCOPED_TRACE(name);
    Desk desk;
    desk.queuePick(
        desk.add(polyline(EntityKind::LwPolyline, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}})));
    std::vector<std::string> lines;
    if (withLines) lines.push_back(desk.add(line({5, -2.5, 0}, {5, 3, 0})));
    desk.sheet->activate(Area::cell({2, B}));
    PolylineToSheet(desk.hosts, desk.platform, precision3(yox), form);
    EXPECT_EQ(desk.sheet->activeCell(), active);
    if (active.row == 7) {
      EXPECT_EQ(desk.sheet->cells().size(), 13u);
    }
    if (yox == 1) {
      const Row9 swapped{0, 5, 0, -2.5, 5, 0, 3, 5, 0};
      for (std::int32_t k = 0; k < 9; ++k) EXPECT_DOUBLE_EQ(desk.number(11, B + k), swapped[k]);
      EXPECT_EQ(desk.cell(10, B), Variant("X"));
    }
    // The selection set is refreshed whether or not the table is written.
    auto* set = desk.drawing->selectionSets.find("SSET");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->live(desk.drawing->drawing), lines);
  }
}

// Each run starts from an empty "SSET": the second polyline's table holds
// only its own line, and the set is the same one.
TEST(CrossingTable, SelectionSetIsClearedAndReusedBetweenRuns) {
  Desk desk;
  desk.queuePick(desk.add(polyline(EntityKind::LwPolyline, {{0, 0, 0}, {10, 0, 0}})));
  desk.queuePick(desk.add(polyline(EntityKind::LwPolyline, {{0, 20, 0}, {10, 20, 0}})));
  desk.add(line({5, -1, 0}, {5, 1, 0}));
  desk.add(line({7, 19, 0}, {7, 21, 0}));
  PolylineToSheet(desk.hosts, desk.platform, precision3(), ticked());
  desk.sheet->activate(Area::cell({1, 1}));
  PolylineToSheet(desk.hosts, desk.platform, precision3(), ticked());
  expectRows(crossingRows(desk, 2), {{7, 20, 0, 7, 19, 0, 7, 21, 0}});
  EXPECT_EQ(desk.drawing->selectionSets.size(), 1u);
}

TEST(CrossingTable, NoSelectionSetMeansNoCrossingLines) {
  Desk desk;
  desk.queuePick(desk.add(polyline(EntityKind::LwPolyline, {{0, 0, 0}, {10, 0, 0}})));
  desk.add(line({5, -1, 0}, {5, 1, 0}));
  desk.failAcad("Item", 0, "AcadSelectionSets");
  desk.failAcad("Add", 0, "AcadSelectionSets");
  desk.sheet->activate(Area::cell({2, B}));
  PolylineToSheet(desk.hosts, desk.platform, precision3(), ticked());
  EXPECT_EQ(desk.sheet->activeCell(), (CellRef{6, B}));
  EXPECT_TRUE(desk.platform.messages.empty());
}

// A failed item read repeats the previous row; a failed translation of a
// start point keeps the previous start point.
TEST(CrossingTable, FailedActionsLeaveThePreviousValue) {
  struct Case { std::string name, object, member; std::size_t nth; std::vector<Row9> rows; };
  const Row9 first{2, 0, 0, 2, -1, 0, 2, 1, 0}, second{6, 0, 0, 6, -3, 0, 6, 3, 0};
  const Case cases[] = {
      {"none", "", "None", 0, {first, second}},
      {"second item", "AcadSelectionSet", "Item", 2, {first, first}},
      {"second start point", "", "StartPoint", 2, {first, {6, 0, 0, 2, -1, 0, 6, 3, 0}}},
      // The 3-D polyline's two vertices translate first, then each line three times.
      {"second intersection", "AcadUtility", "TranslateCoordinates", 6, {first, {2, 0, 0, 6, -3, 0, 6, 3, 0}}},
  };
  for (const auto& [name, object, member, nth, rows] : cases) {
    SCOPED_TRACE(name);
    Desk desk;
    desk.queuePick(desk.add(polyline(EntityKind::Polyline3d, {{0, 0, 0}, {10, 0, 0}})));
    desk.add(line({2, -1, 0}, {2, 1, 0}));
    desk.add(line({6, -3, 0}, {6, 3, 0}));
    desk.refuseBulk();
    desk.failAcad(member, nth, object);
    PolylineToSheet(desk.hosts, desk.platform, precision3(), ticked());
    expectRows(crossingRows(desk, 2), rows);
  }
}

}  // namespace
}  // namespace plotmate
