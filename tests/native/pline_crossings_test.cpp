// Which lines count as crossings, what their rows hold under each setting and
// what each failure leaves is checked by the golden scenarios
// (tests/scenarios/pline_crossings_*); here, a table longer than any scenario.

#include <gtest/gtest.h>

#include <algorithm>

#include "pline/crossings.h"
#include "pline/polyline_to_sheet.h"
#include "tests/native/pline_test_support.h"

namespace plotmate {
namespace {

using namespace pline_testing;

TEST(CrossingTable, EveryLineIsRecordedAndWrittenHoweverMany) {
  constexpr std::int32_t B = 2;
  Desk desk;
  desk.queuePick(desk.add(polyline(EntityKind::LwPolyline, {{0, 0, 0}, {100, 0, 0}})));
  for (int i = 0; i < 60; ++i) desk.add(line({i + 0.5, -1, 0}, {i + 0.5, 1, 0}));
  desk.sheet->activate(sim::Area::cell({2, B}));
  Settings settings;
  settings.PREC = 3;
  MainForm ticked;
  ticked.chkboolIntersect = 1;
  PolylineToSheet(desk.hosts, desk.platform, settings, ticked);
  // R = 6 (first row below the vertex table): rows R+4 to R+63, active cell R+64.
  EXPECT_EQ(desk.sheet->activeCell(), (CellRef{70, B}));
  std::vector<double> intersections;
  for (std::int32_t r = 10; r < 70; ++r) intersections.push_back(desk.number(r, B));
  std::sort(intersections.begin(), intersections.end());
  for (int i = 0; i < 60; ++i) EXPECT_DOUBLE_EQ(intersections[i], i + 0.5);
  EXPECT_DOUBLE_EQ(desk.number(69, B + 6), desk.number(69, B));  // end X of the last row
  EXPECT_DOUBLE_EQ(desk.number(69, B + 7), 1);
}

}  // namespace
}  // namespace plotmate
