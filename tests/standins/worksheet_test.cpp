#include "sim/sheet/worksheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "sim/sheet/cell_text.h"
#include "sim/sheet/sheet_csv.h"

namespace plotmate::sim {
namespace {

using namespace std::string_literals;

const Variant kNA = CellError{xl::kErrNA};

TEST(Worksheet, TypedTextBecomesTheValueExcelStores) {
  const std::pair<const char*, Variant> cases[] = {
      {"12.5", 12.5},      {" -3 ", -3.0},
      {".5", 0.5},         {"1e3", 1000.0},
      {"TRUE", true},      {"false", false},
      {"#N/A", kNA},       {"#div/0!", CellError{xl::kErrDiv0}},
      {"'12", "12"s},  // the apostrophe keeps the rest as text
      {"''x", "'x"s},      {"'", ""s},
      {"", Empty{}},       {"007x", "007x"s},
      {"1,234", "1,234"s},  // digit grouping is the user's locale: stays text
      {"=A1", "=A1"s},      // no formulas in the stand-in
      {"1e400", "1e400"s},  // beyond a double
      {"TRUE ", "TRUE "s}, {"PLine顶点坐标", "PLine顶点坐标"s},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(enteredValue(text), expected) << text;
  EXPECT_FALSE(std::signbit(*enteredValue("-0").getIf<double>()));
}

TEST(Worksheet, ReenterableTextRestoresEveryValue) {
  const Variant values[] = {12.5,    0.1,     1e21,  -3.0,   123456789.123456789,
                            true,    false,   kNA,   "007"s, " 12"s,
                            "TRUE"s, "#N/A"s, "'x"s, ""s,    "abc"s,
                            "中文"s};
  for (const auto& v : values) EXPECT_EQ(enteredValue(reenterableText(v)), v) << describe(v);
}

TEST(Worksheet, StoresOnlyWhatACellCanHold) {
  Worksheet sheet;
  const CellRef b2{2, 2};
  ASSERT_TRUE(sheet.setValue(b2, std::int16_t{7}));
  EXPECT_EQ(sheet.value(b2), Variant(7.0));  // every number is a double
  ASSERT_TRUE(sheet.setValue(b2, -0.0));
  EXPECT_FALSE(std::signbit(*sheet.value(b2).getIf<double>()));

  ASSERT_TRUE(sheet.setValue(b2, "keep"));
  const Variant refused[] = {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             VariantList{1.0},
                             CellError{1234},
                             Missing{},
                             DispatchPtr()};
  for (const auto& v : refused) {
    EXPECT_FALSE(sheet.setValue(b2, v)) << describe(v);
    EXPECT_EQ(sheet.value(b2), Variant("keep")) << describe(v);
  }

  for (CellRef outside : {CellRef{0, 1}, CellRef{1, 0}, CellRef{xl::kMaxRow + 1, 1},
                          CellRef{1, xl::kMaxColumn + 1}}) {
    auto r = sheet.setValue(outside, 1.0);
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().code, xl::kObjectDefinedError);
  }
  EXPECT_TRUE(sheet.setValue({xl::kMaxRow, xl::kMaxColumn}, 1.0));

  ASSERT_TRUE(sheet.setValue(b2, Empty{}));
  EXPECT_TRUE(sheet.value(b2).isEmpty());
  EXPECT_EQ(sheet.cells().size(), 1u);
}

TEST(Worksheet, UsedAreaIsTheSmallestRectangleOfNonEmptyCells) {
  Worksheet sheet;
  EXPECT_FALSE(sheet.usedArea());
  ASSERT_TRUE(sheet.setValue({5, 3}, 1.0));
  ASSERT_TRUE(sheet.setValue({2, 5}, "x"));
  ASSERT_TRUE(sheet.setValue({4, 4}, ""s));             // empty text still counts
  EXPECT_EQ(sheet.usedArea(), (Area{{2, 3}, {5, 5}}));  // starts at C2, not A1
  ASSERT_TRUE(sheet.setValue({5, 3}, Empty{}));
  EXPECT_EQ(sheet.usedArea(), (Area{{2, 4}, {4, 5}}));  // clearing shrinks it
}

// Each step on the sheet as the steps before it left it.
TEST(Worksheet, SelectionAlwaysHoldsTheActiveCell) {
  struct Step { const char* what; bool select; Area area; CellRef active; Area selection; };
  const Area b2d4{{2, 2}, {4, 4}};
  const Step steps[] = {
      {"selecting activates the top-left cell", true, b2d4, {2, 2}, b2d4},
      {"a cell inside: only the active cell moves", false, Area::cell({3, 3}), {3, 3}, b2d4},
      {"an inner block: its top-left cell", false, {{3, 3}, {4, 4}}, {3, 3}, b2d4},
      {"selecting moves it to the top-left even from inside", true, {{1, 1}, {3, 3}}, {1, 1}, {{1, 1}, {3, 3}}},
      {"a cell outside becomes the selection", false, Area::cell({6, 6}), {6, 6}, Area::cell({6, 6})},
  };
  Worksheet sheet;
  for (const auto& s : steps) {
    s.select ? sheet.select(s.area) : sheet.activate(s.area);
    EXPECT_EQ(sheet.activeCell(), s.active) << s.what;
    EXPECT_EQ(sheet.selection(), s.selection) << s.what;
  }
  sheet.selectObject("Rectangle 1");
  sheet.activate(Area::cell({6, 6}));  // cells take the selection back from the shape
  EXPECT_FALSE(sheet.selectedObject());
  EXPECT_EQ(sheet.selection(), Area::cell({6, 6}));
}

Worksheet sampleSheet() {
  Worksheet sheet;
  const std::pair<CellRef, Variant> cells[] = {
      {{1, 1}, 12.5},
      {{1, 3}, "a,b"s},
      {{1, 4}, "say \"hi\""s},
      {{3, 1}, "two\nlines"s},
      {{3, 2}, "crlf\r\ninside"s},
      {{3, 3}, "测绘点 P7"s},
      {{4, 2}, true},
      {{4, 3}, kNA},
      {{4, 4}, "007"s},
      {{4, 5}, ""s},
      {{5, 1}, -0.000123},
  };
  for (const auto& [cell, value] : cells) EXPECT_TRUE(sheet.setValue(cell, value));
  return sheet;
}

TEST(WorksheetCsv, WritesPaddedRowsWithQuotesAndApostrophes) {
  Worksheet sheet;
  ASSERT_TRUE(sheet.setValue({1, 2}, "a,b"));
  ASSERT_TRUE(sheet.setValue({3, 1}, "007"s));
  ASSERT_TRUE(sheet.setValue({3, 3}, 0.1));
  ASSERT_TRUE(sheet.setValue({3, 2}, CellError{xl::kErrDiv0}));
  EXPECT_EQ(worksheetToCsv(sheet), ",\"a,b\",\r\n,,\r\n'007,#DIV/0!,0.1\r\n");
  EXPECT_EQ(worksheetToCsv(Worksheet{}), "");
}

TEST(WorksheetCsv, ReadsLineEndsMarksAndEmptyFields) {
  auto sheet = worksheetFromCsv(
      "\xEF\xBB\xBF"
      "1,\"x\"\"y\",\r\n\rTRUE,,3\n\"\",z\n");
  ASSERT_TRUE(sheet) << sheet.error().description;
  const std::pair<CellRef, Variant> expected[] = {
      {{1, 1}, 1.0}, {{1, 2}, "x\"y"s}, {{3, 1}, true}, {{3, 3}, 3.0}, {{4, 2}, "z"s}};
  EXPECT_EQ(sheet->cells(), (std::map<CellRef, Variant>(std::begin(expected), std::end(expected))));
}

TEST(WorksheetCsv, DamagedFilesNameTheLine) {
  const std::pair<std::string, const char*> cases[] = {
      {"a,b\nc,\"open\nstill open", "line 2: a quoted field is never closed"},
      {"a\n\"b\"c", "line 2: text after the closing quote"},
      {"a\nb\nc\"d", "line 3: a quote inside a field"},
      {std::string(xl::kMaxColumn, ',') + "x", "line 1: more columns"},
      {std::string(xl::kMaxRow, '\n') + "x", "line 1048577: more rows"},
  };
  for (const auto& [text, message] : cases) {
    auto sheet = worksheetFromCsv(text);
    ASSERT_FALSE(sheet) << message;
    EXPECT_NE(sheet.error().description.find(message), std::string::npos)
        << sheet.error().description;
  }
  // Empty fields past the edges hold nothing and are no damage.
  EXPECT_TRUE(worksheetFromCsv(std::string(xl::kMaxColumn + 5, ',')));
}

// Every kind of cell comes back from the file it was saved to.
TEST(WorksheetCsv, FilesSaveAndLoadEveryCell) {
  auto path = std::filesystem::temp_directory_path() / "plotmate_worksheet_test.csv";
  Worksheet sheet = sampleSheet();
  ASSERT_TRUE(saveCsvFile(sheet, path));
  EXPECT_FALSE(std::filesystem::exists(path.string() + ".partial"));
  auto back = loadCsvFile(path);
  ASSERT_TRUE(back) << back.error().description;
  EXPECT_EQ(back->cells(), sheet.cells());
  std::filesystem::remove(path);
  EXPECT_FALSE(loadCsvFile(path));
}

}  // namespace
}  // namespace plotmate::sim
