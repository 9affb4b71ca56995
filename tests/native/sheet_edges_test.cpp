// The sheet's edges: how large the stand-in sheet says it is, and the room
// check the tools make before they write a table at the active cell.

#include <gtest/gtest.h>

#include "hosts/sheet_room.h"
#include "sim/sheet/excel_objects.h"

namespace plotmate {
namespace {

// The sheet answers its own size, today's or a compatibility-mode workbook's,
// and refuses every cell, range and move past it, as Excel does.
TEST(SheetEdges, StandInSheetHasItsOwnSize) {
  for (SheetSize size : {SheetSize{}, kCompatibilitySheet}) {
    auto sheet = std::make_shared<sim::Worksheet>();
    sheet->setSize(size);
    auto host = sim::makeExcelStandIn(sheet);
    ExcelApp excel(host.application);
    sheet->activate(sim::Area::cell({size.rows, size.columns}));
    auto place = ReadSheetPlace(excel);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->size, size);
    EXPECT_EQ(CellName(place->row, place->column), size == kCompatibilitySheet ? "IV65536" : "XFD1048576");
    auto last = excel.activeCell();
    EXPECT_FALSE(last->offset(1, 0)) << size.rows;
    EXPECT_FALSE(last->offset(0, 1)) << size.columns;
    EXPECT_FALSE(excel.cells(size.rows + 1, 1));
    EXPECT_EQ(excel.range("IW1").has_value(), size.columns > 256);
    EXPECT_EQ(excel.setCellValue(1, 257, Variant(1.0)).has_value(), size.columns > 256);
  }
}

TEST(SheetEdges, RoomBelowAndRightOfTheActiveCell) {
  // A vertex table of three vertices: five rows, three columns, and the row
  // below where the active cell ends.
  const TableExtent table{0, 0, 5, 2};
  struct Case {
    std::int64_t row, column;
    SheetSize size;
    bool fits;
  };
  const Case cases[] = {
      {1'048'571, 2, {}, true},                   // the active cell ends on the last row
      {1'048'572, 2, {}, false},                  // one row too many
      {2, 16'382, {}, true},                      // Z in XFD
      {2, 16'383, {}, false},                     // Z one column past XFD
      {65'531, 2, kCompatibilitySheet, true},
      {65'532, 2, kCompatibilitySheet, false},
      {2, 255, kCompatibilitySheet, false},       // IU: Z past IV
  };
  for (const Case& c : cases) {
    auto message = NoRoomMessage({c.row, c.column, c.size}, table);
    EXPECT_EQ(!message, c.fits) << CellName(c.row, c.column);
  }
  EXPECT_EQ(*NoRoomMessage({1'048'572, 2, {}}, table),
            "工作表在这里放不下要写入的内容，什么也没有写入。\n"
            "需要从活动单元格 B1048572 起 6 行、3 列（含写完后活动单元格停留的一行），"
            "到工作表的最后一行有 5 行、到最后一列有 16383 列。\n"
            "在更靠上/靠左的单元格开始，然后再试一次。");
}

}  // namespace
}  // namespace plotmate
