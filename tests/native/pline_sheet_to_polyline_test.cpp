#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

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

struct DrawCase {
  std::string name;
  std::vector<Cell> cells;
  Area selection;
  std::int16_t yox = 0;
  sim::Ucs ucs{};
  std::optional<EntityKind> drawn;  // nothing when no polyline is drawn
  std::vector<Vec3> vertices;       // in world coordinates
};

std::vector<Cell> grid(CellRef from, std::vector<std::vector<Variant>> rows) {
  std::vector<Cell> cells;
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c)
      cells.push_back(
          {{from.row + static_cast<std::int32_t>(r), from.column + static_cast<std::int32_t>(c)},
           rows[r][c]});
  return cells;
}

const sim::Ucs kWorldUcs{};
const sim::Ucs kRaised{{0, 0, 100}, {1, 0, 0}, {0, 1, 0}};

TEST(SheetToPolyline, DrawsThroughTheSelectedRows) {
  const auto example = grid({2, B}, {{0.0, 0.0}, {10.0, 0.0}, {10.0, 5.0}});
  const auto lw = EntityKind::LwPolyline;
  const auto p3 = EntityKind::Polyline3d;
  const DrawCase cases[] = {
      {"two columns", example, {{2, B}, {4, C}}, 0, kWorldUcs, lw, {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}}},
      {"engineering coordinates", example, {{2, B}, {4, C}}, 1, kWorldUcs, lw, {{0, 0, 0}, {0, 10, 0}, {5, 10, 0}}},
      {"YOX 2 is no swap", example, {{2, B}, {4, C}}, 2, kWorldUcs, lw, {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}}},
      {"three columns", grid({2, B}, {{1.0, 2.0, 3.0}, {4.0, 5.0, -6.0}}), {{2, B}, {3, D}}, 0, kWorldUcs, p3, {{1, 2, 3}, {4, 5, -6}}},
      {"two columns in a raised system drop the height", example, {{2, B}, {4, C}}, 0, kRaised, lw, {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}}},
      {"three columns in a raised system", grid({2, B}, {{1.0, 2.0, 3.0}, {4.0, 5.0, 6.0}}), {{2, B}, {3, D}}, 0, kRaised, p3, {{1, 2, 103}, {4, 5, 106}}},
      {"an empty cell reads 0", grid({2, B}, {{1.0, 1.0}, {Variant(), 2.0}, {3.0, 3.0}}), {{2, B}, {4, C}}, 0, kWorldUcs, lw, {{1, 1, 0}, {0, 2, 0}, {3, 3, 0}}},
      {"only the selected columns count", grid({2, C}, {{9.0, 1.0, 2.0, 9.0}, {9.0, 3.0, 4.0, 9.0}}), {{2, D}, {3, E}}, 0, kWorldUcs, lw, {{1, 2, 0}, {3, 4, 0}}},
      {"a number typed as text counts", grid({2, B}, {{"7.5", 1.0}, {2.0, " 3 "}}), {{2, B}, {3, C}}, 0, kWorldUcs, lw, {{7.5, 1, 0}, {2, 3, 0}}},
      // The slot a word should fill keeps the previous row's value; with the
      // swap, the slots are swapped as they stand.
      {"a word keeps the previous value", grid({2, B}, {{1.0, 2.0}, {"abc", 5.0}}), {{2, B}, {3, C}}, 0, kWorldUcs, lw, {{1, 2, 0}, {1, 5, 0}}},
      {"a word with engineering coordinates", grid({2, B}, {{1.0, 2.0}, {"abc", 5.0}}), {{2, B}, {3, C}}, 1, kWorldUcs, lw, {{2, 1, 0}, {5, 2, 0}}},
      {"whole columns read the used rows", example, {{1, B}, {1048576, C}}, 0, kWorldUcs, lw, {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}}},
      {"empty rows past the data are no vertices", example, {{1, B}, {40, C}}, 0, kWorldUcs, lw, {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}}},
      {"one row is refused by the host", example, {{2, B}, {2, C}}, 0, kWorldUcs, std::nullopt, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Desk desk;
    desk.drawing->drawing.ucs = c.ucs;
    for (const auto& cell : c.cells) ASSERT_TRUE(desk.sheet->setValue(cell.at, cell.value));
    desk.sheet->select(c.selection);
    SheetToPolyline(desk.hosts, desk.platform, yox(c.yox));

    EXPECT_TRUE(desk.platform.messages.empty());
    EXPECT_EQ(desk.sheet->selection(), c.selection);  // the worksheet is left as it was
    const auto entities = desk.drawing->drawing.entities();
    if (!c.drawn) {
      EXPECT_TRUE(entities.empty());
      continue;
    }
    ASSERT_EQ(entities.size(), 1u);
    const sim::Entity& e = *entities[0];
    EXPECT_EQ(e.kind, *c.drawn);
    EXPECT_FALSE(e.closed);
    ASSERT_EQ(e.points.size(), c.vertices.size());
    for (std::size_t i = 0; i < e.points.size(); ++i)
      expectNear({e.points[i].x, e.points[i].y, e.points[i].z},
                 {c.vertices[i].x, c.vertices[i].y, c.vertices[i].z},
                 "vertex " + std::to_string(i));
    if (e.kind == EntityKind::LwPolyline) {
      EXPECT_EQ(e.elevation, 0.0);
    }
  }
}

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

TEST(SheetToPolyline, FailedTranslationRepeatsThePreviousRow) {
  Desk desk;
  for (const auto& cell : grid({2, B}, {{1.0, 2.0}, {3.0, 4.0}, {5.0, 6.0}}))
    ASSERT_TRUE(desk.sheet->setValue(cell.at, cell.value));
  desk.sheet->select({{2, B}, {4, C}});
  desk.refuseBulk();
  desk.failAcad("TranslateCoordinates", 2);
  SheetToPolyline(desk.hosts, desk.platform, yox(0));
  const auto entities = desk.drawing->drawing.entities();
  ASSERT_EQ(entities.size(), 1u);
  EXPECT_EQ(entities[0]->points, (std::vector<Vec3>{{1, 2, 0}, {1, 2, 0}, {5, 6, 0}}));
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

// Without the spreadsheet host, "->Excel" still exports: to the output file
// in the current folder.
TEST(MainButtons, ExportWithoutSpreadsheetGoesToTheFileHere) {
  const auto previous = std::filesystem::current_path();
  const auto dir = std::filesystem::temp_directory_path() / "pline-buttons-file-output";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  {
    Desk desk;
    desk.broker.setNotRunning(kExcelProgId);
    desk.queuePick(desk.add(polyline(EntityKind::LwPolyline, {{0, 0, 0}, {1, 1, 0}})));
    AttachAndExportPolyline(desk.hosts, desk.broker, desk.platform, Settings{}, MainForm{});
    ASSERT_EQ(desk.platform.messages.size(), 1u);  // the spreadsheet host's, then the export
  }
  std::filesystem::current_path(previous);
  std::ifstream in(dir / "DistOut.txt", std::ios::binary);
  const std::string contents{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  in.close();
  EXPECT_EQ(contents, " \r\n    0.    0.    0.\r\n    1.    1.    0.\r\n");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace plotmate
