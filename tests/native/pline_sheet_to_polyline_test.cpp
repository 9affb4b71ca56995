#include <gtest/gtest.h>

#include "pline/main_buttons.h"
#include "pline/sheet_to_polyline.h"
#include "tests/native/pline_test_support.h"

namespace plotmate {
namespace {

using namespace pline_testing;
constexpr std::int32_t B = 2, C = 3, F = 6;

// Which polyline each selection draws, under each setting and user system,
// and which selections are refused (pline_from_sheet_wrong_columns,
// _wrong_shapes, _whole_rows, _chart) are checked by the golden scenarios;
// here, what a scenario cannot set up.
TEST(SheetToPolyline, UsedRowsClipOnlyWhatLiesOutsideTheData) {
  Desk desk;
  ExcelApp excel(desk.hosts.ExcelApp);
  ASSERT_TRUE(desk.sheet->setValue({5, F}, 1.0));
  ASSERT_TRUE(desk.sheet->setValue({9, B}, 1.0));  // used rows 5 to 9
  const std::pair<RowSpan, RowSpan> cases[] = {
      {{1, 1048576}, {5, 5}}, {{6, 2}, {6, 2}},   {{7, 10}, {7, 3}},
      {{1, 3}, {1, 0}},       {{10, 5}, {10, 0}},     {{9, 3}, {9, 1}},
  };
  for (const auto& [selected, used] : cases) EXPECT_EQ(UsedRowsOfSelection(excel, selected, desk.platform), used);
}

TEST(SheetToPolyline, NoModelSpaceKeptSaysSo) {
  Desk desk;
  desk.hosts.AcadModelSpace = nullptr;
  desk.sheet->select({{2, B}, {3, C}});
  SheetToPolyline(desk.hosts, desk.platform, Settings{});
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
    for (std::int32_t row : {1, 2})
      for (std::int32_t column : {B, C}) ASSERT_TRUE(desk.sheet->setValue({row, column}, 4.0 + row));
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
