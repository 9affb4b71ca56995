// What the vertex export does with each kind of polyline, each setting and
// each failure is checked by the golden scenarios (tests/scenarios/pline_to_sheet_*);
// here are the cases a scenario cannot set up.

#include <gtest/gtest.h>

#include <filesystem>

#include "pline/drawing_access.h"
#include "pline/main_buttons.h"
#include "pline/point_list.h"
#include "pline/polyline_to_sheet.h"
#include "tests/native/pline_test_support.h"
#include "tests/native/scratch_directory.h"

namespace plotmate {
namespace {

using namespace pline_testing;

TEST(PolylineExport, OutputFileThatCannotBeOpenedStopsBeforeThePick) {
  testing_support::ScratchDirectory scratch;
  const auto file = scratch.path() / "DistOut.txt";
  std::filesystem::create_directory(file);
  Desk desk(false);
  desk.queuePick(desk.add(polyline(EntityKind::LwPolyline, {{0, 0, 0}, {1, 1, 0}})));
  PolylineToSheet(desk.hosts, desk.platform, Settings{}, MainForm{}, file);
  ASSERT_EQ(desk.platform.messages.size(), 1u);
  EXPECT_EQ(desk.platform.messages[0].text.rfind("无法打开输出文件", 0), 0u) << desk.platform.messages[0].text;
  EXPECT_EQ(desk.drawing->picks.pending(), 1u);  // nobody was asked to pick
}

TEST(PolylineExport, NoDocumentKeptSaysSoInsteadOfFailing) {
  Desk desk;
  desk.hosts.AcadDoc = nullptr;
  PolylineToSheet(desk.hosts, desk.platform, Settings{}, MainForm{});
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
