#include <gtest/gtest.h>


#include "pline/main_buttons.h"
#include "pline/sheet_to_polyline.h"
#include "tests/native/pline_test_support.h"

namespace plotmate {
namespace {

using namespace pline_testing;
using sim::Area;

constexpr std::int32_t B = 2, C = 3, D = 4, E = 5, F = 6;

Settings yox(std::int16_t value) {
  Settings s;
  s.YOX = value;
  return s;
}

struct Cell { CellRef at; Variant value; };

std::vector<Cell> grid(CellRef from, std::vector<std::vector<Variant>> rows) {
  std::vector<Cell> cells;
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c)
      cells.push_back(
          {{from.row + static_cast<std::int32_t>(r), from.column + static_cast<std::int32_t>(c)},
           rows[r][c]});
  return cells;
}

// Which polyline each selection draws, under each setting and user system,
// is checked by the golden scenarios (tests/scenarios/pline_from_sheet_*);
// here, what a scenario cannot set up.
TEST(SheetToPolyline, WrongSelectionShapeSaysSoAndDrawsNothing) {
  struct Case { std::string name; Area selection; bool chart; };
  const Case cases[] = {
      {"one column", {{2, B}, {4, B}}, false},
      {"four columns", {{2, B}, {4, E}}, false},
      {"whole rows", {{2, 1}, {4, 16384}}, false},
      {"a chart", {{2, B}, {4, C}}, true},
  };
  for (const auto& [name, selection, chart] : cases) {
    SCOPED_TRACE(name);
    Desk desk;
    for (const auto& cell : grid({2, B}, {{1.0, 2.0, 3.0, 4.0}, {5.0, 6.0, 7.0, 8.0}}))
      ASSERT_TRUE(desk.sheet->setValue(cell.at, cell.value));
    desk.sheet->select(selection);
    if (chart) desk.sheet->selectObject("Chart 1");
    SheetToPolyline(desk.hosts, desk.platform, yox(0));
    EXPECT_EQ(desk.platform.messages,
              (std::vector<sim::ShownMessage>{{"对不起，您的选择区域不对！", ""}}));
    EXPECT_TRUE(desk.drawing->drawing.entities().empty());
  }
}

TEST(SheetToPolyline, UsedRowsClipOnlyWhatLiesOutsideTheData) {
  Desk desk;
  ExcelApp excel(desk.hosts.ExcelApp);
  ASSERT_TRUE(desk.sheet->setValue({5, F}, 1.0));
  ASSERT_TRUE(desk.sheet->setValue({9, B}, 1.0));  // used rows 5 to 9
  const std::pair<RowSpan, RowSpan> cases[] = {
      {{1, 1048576}, {5, 5}}, {{6, 2}, {6, 2}},   {{7, 10}, {7, 3}},
      {{1, 3}, {1, 0}},       {{10, 5}, {10, 0}},     {{9, 3}, {9, 1}},
  };
  for (const auto& [selected, used] : cases) EXPECT_EQ(UsedRowsOfSelection(excel, selected), used);
}

TEST(SheetToPolyline, NoModelSpaceKeptSaysSo) {
  Desk desk;
  desk.hosts.AcadModelSpace = nullptr;
  desk.sheet->select({{2, B}, {3, C}});
  SheetToPolyline(desk.hosts, desk.platform, yox(0));
  ASSERT_EQ(desk.platform.messages.size(), 1u);
  EXPECT_NE(desk.platform.messages[0].text.find(kNoModelSpaceDescription), std::string::npos);
}

// The buttons attach both hosts, always in that order, and run only with what
// their tool needs.
TEST(MainButtons, AttachBothThenRunWhatTheHostsAllow) {
  struct Case {
    std::string name;
    bool acad, excel, toSheet;  // toSheet: "->Excel", else "->Acad"
    std::size_t messages;
    bool ran;
  };
  const Case cases[] = {
      {"->Excel with both", true, true, true, 0, true},
      {"->Excel without a drawing host", false, true, true, 1, false},
      {"->Excel with neither", false, false, true, 2, false},
      {"->Acad with both", true, true, false, 0, true},
      {"->Acad without the spreadsheet", true, false, false, 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Desk desk;
    if (!c.acad) desk.broker.setNotRunning(kAcadProgId);
    if (!c.excel) desk.broker.setNotRunning(kExcelProgId);
    desk.queuePick(desk.add(polyline(EntityKind::LwPolyline, {{0, 0, 0}, {1, 1, 0}})));
    for (const auto& cell : grid({1, B}, {{5.0, 5.0}, {6.0, 6.0}}))
      ASSERT_TRUE(desk.sheet->setValue(cell.at, cell.value));
    desk.sheet->select({{1, B}, {2, C}});
    if (c.toSheet)
      AttachAndExportPolyline(desk.hosts, desk.broker, desk.platform, Settings{}, MainForm{});
    else
      AttachAndDrawPolyline(desk.hosts, desk.broker, desk.platform, Settings{});
    ASSERT_EQ(desk.platform.messages.size(), c.messages);
    if (!c.acad) {
      EXPECT_EQ(desk.platform.messages[0].text.rfind("AutoCAD可能未打开！\n\n", 0), 0u);
    }
    if (c.acad && !c.excel) {
      EXPECT_EQ(desk.platform.messages[0].text.rfind("Excel可能未打开！\n\n", 0), 0u);
    }
    const bool ran =
        c.toSheet ? desk.drawing->picks.pending() == 0 : desk.drawing->drawing.size() == 2;
    EXPECT_EQ(ran, c.ran);
  }
}

}  // namespace
}  // namespace plotmate
