#include "measure/measure_row.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "sim/sheet/excel_objects.h"
#include "tests/native/scratch_directory.h"

namespace plotmate {
namespace {

using sim::CellRef;

class MeasureRowSheetTest : public ::testing::Test {
 protected:
  std::shared_ptr<sim::Worksheet> sheet = std::make_shared<sim::Worksheet>();
  sim::ExcelStandIn host = sim::makeExcelStandIn(sheet);
  ExcelApp excel{host.application};
  MeasureTarget target{&excel, nullptr, SheetSize{}, nullptr};

  void startAt(CellRef cell) {
    *sheet = sim::Worksheet{};
    sheet->activate(sim::Area::cell(cell));
    host.context->log.clear();
    host.context->faults.clear();
  }
  // The row written call by call, as when the host refuses the bulk path.
  void forceCallByCall() { host.context->faults.add({"Range", "Address", 0, {hr::kFail, "no"}}); }
  // The Offset arguments in call order: every step counted from the start cell.
  std::vector<std::string> offsets() const {
    std::vector<std::string> out;
    for (const auto& call : host.context->log.entries())
      if (call.member == "Offset") out.push_back(call.arguments);
    return out;
  }
};

TEST_F(MeasureRowSheetTest, EnabledValuesFillTheRowAndTheCursorEndsBelowItsStart) {
  struct Case {
    std::int16_t f1, f2, f3;
    std::vector<Variant> row;  // C5, D5, E5 afterwards
    std::vector<std::string> path;
  };
  const Empty e;
  const Case cases[] = {
      {1, 1, 1, {12.3, -2.2, 3.0}, {"1, 0", "0, 1", "0, 1", "1, 1", "0, 2", "0, 2", "1, 2", "1, 0"}},
      {1, 0, 1, {12.3, 3.0, e}, {"1, 0", "0, 1", "0, 1", "1, 1", "1, 0"}},
      {1, 1, 0, {12.3, -2.2, e}, {"1, 0", "0, 1", "0, 1", "1, 1", "1, 0"}},
      {0, 1, 1, {-2.2, 3.0, e}, {"1, 0", "0, 1", "0, 1", "1, 1", "1, 0"}},
      {1, 0, 0, {12.3, e, e}, {"1, 0"}},
      {0, 1, 0, {-2.2, e, e}, {"1, 0"}},
      {0, 0, 1, {3.0, e, e}, {"1, 0"}},
      {0, 0, 0, {e, e, e}, {}},
      // Hand-edited settings may hold other values: any value but 0 is on, so
      // the cursor still comes back under the row's first cell.
      {1, 2, 1, {12.3, -2.2, 3.0}, {"1, 0", "0, 1", "0, 1", "1, 1", "0, 2", "0, 2", "1, 2", "1, 0"}},
      {-1, 0, 2, {12.3, 3.0, e}, {"1, 0", "0, 1", "0, 1", "1, 1", "1, 0"}},
  };
  for (const auto& c : cases) {
    for (bool bulk : {true, false}) {
      startAt({5, 3});
      if (!bulk) forceCallByCall();
      const MeasureRow row{{{12.3456, c.f1}, {-2.25, c.f2}, {3.0, c.f3}}};
      EXPECT_TRUE(WriteMeasureRow(target, row, 1));
      const std::string label = std::to_string(c.f1) + std::to_string(c.f2) +
                                std::to_string(c.f3) + (bulk ? " in bulk" : " call by call");
      const std::vector<Variant> written{sheet->value({5, 3}), sheet->value({5, 4}),
                                         sheet->value({5, 5})};
      EXPECT_EQ(written, c.row) << label;
      EXPECT_EQ(sheet->cells().size(), c.row.size() - std::ranges::count(c.row, Variant(e)))
          << label;  // nothing beyond the row
      if (!bulk) {
        EXPECT_EQ(offsets(), c.path) << label;
      }
      const bool any = c.f1 || c.f2 || c.f3;
      EXPECT_EQ(sheet->activeCell(), (any ? CellRef{6, 3} : CellRef{5, 3})) << label;
    }
  }
}

TEST_F(MeasureRowSheetTest, AFailedStepIsSkippedAndTheRowGoesOn) {
  struct Case {
    const char* object;
    const char* member;
    std::size_t nth;
    std::vector<Variant> row;  // C5, C6, D5 afterwards
    CellRef end;
  };
  const Empty e;
  const Case cases[] = {
      // A failed write leaves its cell and the cursor still moves.
      {"Range", "Value", 1, {e, e, -2.2}, {6, 3}},
      // Without the start cell nothing can be counted from it.
      {"Application", "ActiveCell", 1, {e, e, e}, {5, 3}},
      // A failed move drops only itself: every value still lands in its own
      // cell, and the last move puts the cursor below the row.
      {"Range", "Activate", 2, {12.3, e, -2.2}, {6, 3}},
      {"Range", "Offset", 1, {12.3, e, -2.2}, {6, 3}},
  };
  for (const auto& c : cases) {
    startAt({5, 3});
    forceCallByCall();
    host.context->faults.add({c.object, c.member, c.nth, {hr::kFail, "refused"}});
    const MeasureRow row{{{12.3456, 1}, {-2.25, 1}, {0, 0}}};
    auto written = WriteMeasureRow(target, row, 1);
    ASSERT_FALSE(written) << c.member;
    EXPECT_EQ(written.error().description, "refused");
    const std::vector<Variant> cells{sheet->value({5, 3}), sheet->value({6, 3}),
                                     sheet->value({5, 4})};
    EXPECT_EQ(cells, c.row) << c.object << "." << c.member << " #" << c.nth;
    EXPECT_EQ(sheet->activeCell(), c.end) << c.object << "." << c.member << " #" << c.nth;
  }
}

TEST(MeasureRowFileTest, EachRowIsOneLineOfTheValuesThatAreOn) {
  testing_support::ScratchDirectory scratch;
  {
    auto file = OutputFile::open(kOutputFileName, 3);
    ASSERT_TRUE(file);
    const MeasureTarget target{nullptr, &*file, std::nullopt, nullptr};
    EXPECT_TRUE(WriteMeasureRow(target, {{{12.3456, 1}, {7.1, 1}, {5, 0}}}, 3));
    EXPECT_TRUE(WriteMeasureRow(target, {{{12.3456, 0}, {7.1, 0}, {5, 0}}}, 3));
    EXPECT_TRUE(WriteMeasureRow(target, {{{-0.5, 0}, {7.1, 0}, {123456.7, 1}}}, 3));
  }
  EXPECT_EQ(scratch.outputFile(), " \r\n   12.346    7.100\r\n\r\n123456.700\r\n");
}

}  // namespace
}  // namespace plotmate
