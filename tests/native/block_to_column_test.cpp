#include "convert/block_to_column.h"

#include <gtest/gtest.h>

#include "sim/sheet/excel_objects.h"

namespace plotmate {
namespace {

using namespace std::string_literals;
using sim::Area;
using sim::CellRef;

constexpr std::int16_t kRowByRow = -1;  // ReadDirec with "row→" selected
constexpr std::int16_t kColumnByColumn = 0;

class BlockToColumnTest : public ::testing::Test {
 protected:
  std::shared_ptr<sim::Worksheet> sheet = std::make_shared<sim::Worksheet>();
  sim::ExcelStandIn host = sim::makeExcelStandIn(sheet);
  ExcelApp excel{host.application};

  void put(CellRef cell, Variant value) { ASSERT_TRUE(sheet->setValue(cell, value)); }
  // B2:C3 holding 1, 2 / 3, 4, selected, with the active cell on C3.
  void selectExampleBlock() {
    put({2, 2}, 1.0);
    put({2, 3}, 2.0);
    put({3, 2}, 3.0);
    put({3, 3}, 4.0);
    sheet->select({{2, 2}, {3, 3}});
    sheet->activate(Area::cell({3, 3}));
  }
  std::vector<Variant> column(std::int32_t column, std::int32_t from, std::int32_t to) const {
    std::vector<Variant> out;
    for (std::int32_t r = from; r <= to; ++r) out.push_back(sheet->value({r, column}));
    return out;
  }
};

// Both reading orders, single cells and one-column blocks are checked by the
// golden scenarios (tests/scenarios/block_to_column_*); a copy's exact kind
// (a text that looks like a value, an error value) is checked here.
TEST_F(BlockToColumnTest, CopiesAreExactEvenForTextsThatLookLikeValues) {
  const std::vector<Variant> row{
      "007"s, "TRUE"s, "1-2"s, "'quoted"s, ""s, "测点 P7"s, CellError{xl::kErrNA}, false};
  for (std::size_t i = 0; i < row.size(); ++i) put({1, static_cast<std::int32_t>(i + 1)}, row[i]);
  sheet->select({{1, 1}, {1, static_cast<std::int32_t>(row.size())}});
  ASSERT_TRUE(BlockToColumn(excel, kRowByRow));
  EXPECT_EQ(column(1, 2, static_cast<std::int32_t>(row.size()) + 1), row);
}

std::string logLine(const sim::CallRecord& r) {
  return r.object + "." + r.member + " " + sim::kindName(r.kind) +
         (r.arguments.empty() ? "" : " " + r.arguments);
}

// The whole block in one Value read, the whole list in one Value write, in
// list order; the selection's size from its Address, the sheet's from its
// Rows.Count.
TEST_F(BlockToColumnTest, OneValueReadAndOneValueWriteInListOrder) {
  selectExampleBlock();
  host.context->log.clear();
  ASSERT_TRUE(BlockToColumn(excel, kColumnByColumn));
  const std::vector<std::string> expected{
      "Application.Selection get",  "Range.Address get",     "Application.ActiveSheet get",
      "Worksheet.Rows get",         "Range.Count get",       "Worksheet.Columns get",
      "Range.Count get",            "Range.Value get",       "Application.Cells get 4, 2",
      "Range.Resize get 4, 1",      "Range.Value put [[1],[3],[2],[4]]"};
  std::vector<std::string> actual;
  for (const auto& r : host.context->log.entries()) actual.push_back(logLine(r));
  EXPECT_EQ(actual, expected);
}

// Lists that end on the sheet's last row or would pass it are golden
// scenarios (block_to_column_last_row_fits, _no_row_below, _two_rows_*,
// _block_*, _whole_column, _whole_sheet).
TEST_F(BlockToColumnTest, BlocksBeyondSixteenBitCounts) {
  // 33000 rows read column by column: the list index passes 32767.
  const std::int32_t n = 33000;
  put({1, 1}, "first");
  put({n, 1}, "last");
  sheet->select({{1, 1}, {n, 1}});
  host.context->log.setKeepRecords(false);
  ASSERT_TRUE(BlockToColumn(excel, kColumnByColumn));
  EXPECT_EQ(sheet->value({n + 1, 1}), Variant("first"));
  EXPECT_EQ(sheet->value({2 * n, 1}), Variant("last"));
  EXPECT_EQ(host.context->log.callCount(), 11u);
}

// A chart selected, a selection without an address and a host error part way
// are golden scenarios (block_to_column_chart, _no_address, _error_part_way);
// a spreadsheet host without a workbook is not.
TEST_F(BlockToColumnTest, NoWorkbookIsAWrongSelection) {
  auto closed = sim::makeExcelStandIn(nullptr);
  ExcelApp noWorkbook(closed.application);
  auto result = BlockToColumn(noWorkbook, kRowByRow);
  ASSERT_FALSE(result);
  EXPECT_EQ(result.error().description, kWrongSelectionMessage);
}

}  // namespace
}  // namespace plotmate
