#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "pline/drawing_access.h"
#include "pline/main_buttons.h"
#include "pline/point_list.h"
#include "pline/polyline_to_sheet.h"
#include "tests/native/pline_test_support.h"
#include "tests/native/scratch_directory.h"

namespace plotmate {
namespace {

using namespace pline_testing;
using sim::Area;

constexpr std::int32_t B = 2, C = 3, D = 4;

Settings precision(std::int16_t prec, std::int16_t yox = 0) {
  Settings s;
  s.PREC = prec;
  s.YOX = yox;
  return s;
}

sim::Entity withElevation(sim::Entity e, double elevation, Vec3 normal) {
  e.elevation = elevation;
  e.normal = normal;
  return e;
}

sim::Entity withBulges(sim::Entity e, std::vector<double> bulges) {
  e.bulges = std::move(bulges);
  return e;
}

// The three-vertex example used throughout: picked with the active cell on B2.
sim::Entity exampleTriangle() {
  return polyline(EntityKind::LwPolyline, {{1.5, 2.25, 0}, {10, 0, 0}, {10.12345, 5, 0}});
}

struct ExportCase {
  std::string name;
  sim::Entity entity;
  std::vector<Point3> rows;  // what the table holds, at 3 decimals
};

TEST(PolylineExport, VertexTableOfEachPolylineKind) {
  const ExportCase cases[] = {
      {"lightweight", exampleTriangle(), {{1.5, 2.25, 0}, {10, 0, 0}, {10.123, 5, 0}}},
      {"closed square keeps four rows", polyline(EntityKind::LwPolyline, {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}}, true), {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}}},
      {"arcs give only the vertices", withBulges(polyline(EntityKind::LwPolyline, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}), {1, -0.5, 0}), {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}},
      {"old-style 2-D", polyline(EntityKind::Polyline2d, {{0, 0, 0}, {3, 4, 0}}), {{0, 0, 0}, {3, 4, 0}}},
      {"3-D", polyline(EntityKind::Polyline3d, {{1, 2, 3}, {4, 5, 6}}), {{1, 2, 3}, {4, 5, 6}}},
      {"elevation 5", withElevation(polyline(EntityKind::LwPolyline, {{1, 1, 0}, {2, 2, 0}}), 5, {0, 0, 1}), {{1, 1, 5}, {2, 2, 5}}},
      // Normal -Z: the own system's X axis is world -X, its Z axis world -Z.
      {"lightweight facing down", withElevation(polyline(EntityKind::LwPolyline, {{3, 4, 0}, {5, 6, 0}}), 2, {0, 0, -1}), {{-3, 4, -2}, {-5, 6, -2}}},
      {"old-style 2-D facing down", withElevation(polyline(EntityKind::Polyline2d, {{3, 4, 0}, {5, 6, 0}}), 2, {0, 0, -1}), {{-3, 4, -2}, {-5, 6, -2}}},
      {"a line is no polyline", line({0, 0, 0}, {5, 5, 0}), {}},
  };
  for (const auto& [name, entity, rows] : cases) {
    SCOPED_TRACE(name);
    Desk desk;
    desk.queuePick(desk.add(entity));
    desk.sheet->activate(Area::cell({2, B}));
    PolylineToSheet(desk.hosts, desk.platform, precision(3), MainForm{});

    EXPECT_EQ(desk.cell(2, C), Variant("PLine顶点坐标"));
    EXPECT_EQ(desk.cell(3, B), Variant("X"));
    EXPECT_EQ(desk.cell(3, C), Variant("Y"));
    EXPECT_EQ(desk.cell(3, D), Variant("Z"));
    const auto n = static_cast<std::int32_t>(rows.size());
    for (std::int32_t i = 0; i < n; ++i)
      expectNear(desk.row3(4 + i, B), rows[i], "row " + std::to_string(i));
    EXPECT_EQ(desk.sheet->cells().size(), 4 + 3 * rows.size());
    EXPECT_EQ(desk.sheet->activeCell(), (CellRef{4 + n, B}));
    EXPECT_TRUE(desk.platform.messages.empty());
    EXPECT_EQ(desk.platform.activatedWindows, std::vector<std::string>{"autoCAD"});
  }
}

TEST(PolylineExport, CellsGetRoundedTextsWithoutBlanksAndOnlyYoxOneSwaps) {
  struct Case {
    std::int16_t prec, yox;
    Point3 firstRow;  // the numbers the first vertex's texts give
    Point3 lastRow;   // the third vertex as it lands in B:D
  };
  const Case cases[] = {
      {3, 0, {1.5, 2.25, 0}, {10.123, 5, 0}},
      {1, 0, {1.5, 2.3, 0}, {10.1, 5, 0}},  // halves round upward
      {0, 0, {2, 2, 0}, {10, 5, 0}},
      {3, 1, {2.25, 1.5, 0}, {5, 10.123, 0}},
      {3, 2, {1.5, 2.25, 0}, {10.123, 5, 0}},  // only 1 means swap
  };
  for (const auto& [prec, yox, firstRow, lastRow] : cases) {
    SCOPED_TRACE("PREC " + std::to_string(prec) + " YOX " + std::to_string(yox));
    Desk desk;
    desk.queuePick(desk.add(exampleTriangle()));
    desk.sheet->activate(Area::cell({2, B}));
    PolylineToSheet(desk.hosts, desk.platform, precision(prec, yox), MainForm{});
    // Numbers go in as numbers, exactly the rounded values (no noise to compare away).
    EXPECT_EQ(desk.row3(4, B), firstRow);
    expectNear(desk.row3(6, B), lastRow, "last row");
    EXPECT_EQ(desk.cell(3, B), Variant("X"));  // headers never swap
  }
}

// A user system turned a quarter round and moved: the table holds user
// coordinates, the drawing's own points stay where they are.
TEST(PolylineExport, VerticesInTheCurrentUserSystem) {
  Desk desk;
  desk.drawing->drawing.ucs = {{100, 0, 50}, {0, 1, 0}, {-1, 0, 0}};
  desk.queuePick(desk.add(polyline(EntityKind::Polyline3d, {{100, 10, 50}, {90, 0, 53}})));
  desk.sheet->activate(Area::cell({1, 1}));
  PolylineToSheet(desk.hosts, desk.platform, precision(3), MainForm{});
  expectNear(desk.row3(3, 1), {10, 0, 0}, "first");
  expectNear(desk.row3(4, 1), {0, 10, 3}, "second");
}

TEST(PolylineExport, CancelledOrEmptyPickSaysGoodByeAndWritesNothing) {
  for (auto answer : {sim::PickAnswer::cancel(), sim::PickAnswer::at({500, 500, 0})}) {
    Desk desk;
    desk.add(exampleTriangle());
    desk.drawing->picks.push(answer);
    desk.sheet->activate(Area::cell({2, B}));
    PolylineToSheet(desk.hosts, desk.platform, precision(3), MainForm{});
    EXPECT_EQ(desk.platform.messages, (std::vector<sim::ShownMessage>{{"Good Bye.", "GetEntity"}}));
    EXPECT_TRUE(desk.sheet->cells().empty());
    EXPECT_EQ(desk.sheet->activeCell(), (CellRef{2, B}));
    ASSERT_EQ(desk.drawing->picks.log().size(), 1u);
    EXPECT_EQ(desk.drawing->picks.log()[0].prompt, "Pick point:");
  }
}

// Injected host failures: each failed action is dropped, the run goes on.
TEST(PolylineExport, FailedActionsLeaveThePreviousValue) {
  struct Case {
    std::string name;
    std::string member;
    std::size_t nth;
    bool excel;
    std::vector<Point3> rows;  // B4:D6
    CellRef active;
  };
  const Case cases[] = {
      // The 3-D example translates once per vertex: the second repeats the first.
      {"translation of vertex 1", "TranslateCoordinates", 2, false, {{1, 2, 3}, {1, 2, 3}, {7, 8, 9}}, {7, B}},
      {"translation of vertex 0 leaves zeros", "TranslateCoordinates", 1, false, {{0, 0, 0}, {4, 5, 6}, {7, 8, 9}}, {7, B}},
      {"vertex read", "Coordinate", 3, false, {{1, 2, 3}, {4, 5, 6}, {4, 5, 6}}, {7, B}},
      // Writes: title, X, Y, Z, then B4 is the fifth.
      {"cell write", "Value", 5, true, {{NAN, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {7, B}},
  };
  for (const auto& [name, member, nth, excel, rows, active] : cases) {
    SCOPED_TRACE(name);
    Desk desk;
    desk.queuePick(desk.add(polyline(EntityKind::Polyline3d, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}})));
    desk.sheet->activate(Area::cell({2, B}));
    desk.refuseBulk();
    excel ? desk.failExcel(member, nth) : desk.failAcad(member, nth);
    PolylineToSheet(desk.hosts, desk.platform, precision(3), MainForm{});
    for (std::int32_t i = 0; i < 3; ++i) {
      const Point3 got = desk.row3(4 + i, B);
      for (int k = 0; k < 3; ++k) {
        if (std::isnan(rows[i][k])) {
          EXPECT_TRUE(desk.cell(4 + i, B + k).isEmpty()) << "row " << i;
        } else {
          EXPECT_DOUBLE_EQ(got[k], rows[i][k]) << "row " << i << " axis " << k;
        }
      }
    }
    EXPECT_EQ(desk.sheet->activeCell(), active);
    EXPECT_TRUE(desk.platform.messages.empty());
  }
}

TEST(PolylineExport, FailedCursorMoveWritesWhereTheCursorStands) {
  Desk desk;
  desk.queuePick(desk.add(polyline(EntityKind::Polyline3d, {{1, 2, 3}})));
  desk.sheet->activate(Area::cell({2, B}));
  desk.refuseBulk();
  desk.failExcel("Activate", 1);  // the move to the title's cell
  PolylineToSheet(desk.hosts, desk.platform, precision(0), MainForm{});
  EXPECT_EQ(desk.cell(2, B), Variant("PLine顶点坐标"));
  EXPECT_EQ(desk.cell(3, 1), Variant("X"));  // one row down, one column left of B2
  EXPECT_EQ(desk.cell(3, C), Variant("Z"));
  EXPECT_EQ(desk.row3(4, 1), (Point3{1, 2, 3}));
  EXPECT_EQ(desk.sheet->activeCell(), (CellRef{5, 1}));
}

class FileOutput : public ::testing::Test {
 protected:
  testing_support::ScratchDirectory scratch;
  std::filesystem::path file = scratch.path() / "DistOut.txt";
  std::string contents() const { return scratch.outputFile(); }
};

TEST_F(FileOutput, TwoRunsAppendTwoBlocksAndNoCrossings) {
  Desk desk(false);
  ASSERT_NE(desk.hosts.ExcelMissing, 0);
  const auto handle =
      desk.add(polyline(EntityKind::Polyline3d, {{1, 2, 3}, {-4, 0.5, 0}, {10, 20, 30}}));
  desk.add(line({0, 3, 0}, {3, 0, 0}));  // crosses the first segment
  MainForm ticked;
  ticked.chkboolIntersect = 1;
  for (int run = 0; run < 2; ++run) {
    desk.queuePick(handle);
    PolylineToSheet(desk.hosts, desk.platform, precision(2), ticked, file);
  }
  const std::string block =
      " \r\n"
      "    1.00    2.00    3.00\r\n"
      "   -4.00    .50    0.00\r\n"
      "   10.00   20.00   30.00\r\n";
  EXPECT_EQ(contents(), block + block);
  EXPECT_TRUE(desk.platform.messages.empty());
}

TEST_F(FileOutput, PickOfNoPolylineOrCancelLeavesOnlyTheBlankLine) {
  Desk desk(false);
  desk.queuePick(desk.add(line({0, 0, 0}, {1, 1, 0})));
  PolylineToSheet(desk.hosts, desk.platform, precision(3), MainForm{}, file);
  desk.drawing->picks.push(sim::PickAnswer::cancel());
  PolylineToSheet(desk.hosts, desk.platform, precision(3), MainForm{}, file);
  EXPECT_EQ(contents(), " \r\n \r\n");
  EXPECT_EQ(desk.platform.messages, (std::vector<sim::ShownMessage>{{"Good Bye.", "GetEntity"}}));
}

TEST_F(FileOutput, RunsThatCannotStartSayWhyAndLeaveNoTrace) {
  struct Case { std::string name; bool folderInTheWay, utilityFails; std::string messageStart; };
  const Case cases[] = {
      {"file cannot be opened", true, false, "无法打开输出文件"},
      {"no utility object", false, true, std::string(kNoDrawingMessage) + "\n\nInjected fault"},
  };
  for (const auto& [name, folderInTheWay, utilityFails, messageStart] : cases) {
    SCOPED_TRACE(name);
    std::filesystem::remove_all(file);
    Desk desk(false);
    desk.queuePick(desk.add(exampleTriangle()));
    if (folderInTheWay) std::filesystem::create_directory(file);
    if (utilityFails) desk.failAcad("Utility");
    PolylineToSheet(desk.hosts, desk.platform, precision(3), MainForm{}, file);
    ASSERT_EQ(desk.platform.messages.size(), 1u);
    EXPECT_EQ(desk.platform.messages[0].text.rfind(messageStart, 0), 0u)
        << desk.platform.messages[0].text;
    EXPECT_EQ(desk.drawing->picks.pending(), 1u);  // nobody was asked to pick
    EXPECT_TRUE(folderInTheWay || !std::filesystem::exists(file));
  }
}

TEST(PolylineExport, NoDocumentKeptSaysSoInsteadOfFailing) {
  Desk desk;
  desk.hosts.AcadDoc = nullptr;
  desk.sheet->activate(Area::cell({2, B}));
  PolylineToSheet(desk.hosts, desk.platform, precision(3), MainForm{});
  ASSERT_EQ(desk.platform.messages.size(), 1u);
  EXPECT_EQ(desk.platform.messages[0].text, kNoDrawingMessage);
  EXPECT_TRUE(desk.sheet->cells().empty());
}

TEST(PolylineExport, PointListsWidenedAndTheirFirstPoint) {
  struct Case { std::vector<double> list, wide; std::optional<Point3> first; };
  const Case cases[] = {
      {{}, {}, std::nullopt},
      {{1.5, -2}, {1.5, -2, 0}, std::nullopt},  // two numbers are no 3-D point
      {{1, 2, 3, 4}, {1, 2, 0, 3, 4, 0}, Point3{1, 2, 3}},
      {{1, 2, 3}, {1, 2, 0}, Point3{1, 2, 3}},  // a lone trailing number makes no 2-D point
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WidenTo3D(c.list), c.wide);
    EXPECT_EQ(FirstPoint(c.list), c.first) << c.list.size();
  }
}

}  // namespace
}  // namespace plotmate
