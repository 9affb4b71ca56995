#include "measure/measure_distance.h"

#include <gtest/gtest.h>

#include "measure_test_support.h"

namespace plotmate {
namespace {

using namespace std::string_literals;
using measure_testing::MeasureDesk;
using sim::CellRef;

class MeasureDistanceTest : public MeasureDesk {
 protected:
  MeasureDistanceTest() {
    drawing().drawing.ucs.origin = {100, 200, 10};  // user = world - (100, 200, 10)
    settings.PREC = 3;
    flags(1, 1, 1);
  }
  void run() { MeasureDistance(session, platform, settings, mainForm, textSet); }
  void flags(std::int16_t dx, std::int16_t dy, std::int16_t di) {
    settings.DX = dx;
    settings.DY = dy;
    settings.DI = di;
  }
  // Two picks given in user coordinates.
  void pair(sim::Vec3 from, sim::Vec3 to) {
    pickAt(from.x + 100, from.y + 200, from.z + 10);
    pickAt(to.x + 100, to.y + 200, to.z + 10);
  }
  std::vector<Variant> row(std::int32_t r) const { return {cell(r, 1), cell(r, 2), cell(r, 3)}; }
};

TEST_F(MeasureDistanceTest, OnlyCancellingTheStartPointBringsTheSheetForward) {
  struct Case { bool excelRunning; int pointsBeforeCancel; std::vector<std::string> windows; };
  const Case cases[] = {
      {true, 0, {"autoCAD", "Microsoft Excel"}},
      {true, 1, {"autoCAD"}},
      {false, 0, {"autoCAD", "Microsoft Excel"}},
      {false, 1, {"autoCAD"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.excelRunning << " " << c.pointsBeforeCancel);
    attach(c.excelRunning);
    platform.activatedWindows.clear();
    if (c.pointsBeforeCancel) pickAt(1, 2);
    cancelPick();
    run();
    EXPECT_EQ(platform.activatedWindows, c.windows);
    EXPECT_TRUE(sheet->cells().empty());
    EXPECT_EQ(scratch.outputFile(), c.excelRunning ? "(none)" : " \r\n");
    std::filesystem::remove("DistOut.txt");
  }
}

TEST_F(MeasureDistanceTest, AZeroDistanceEndsTheRunSilentlyWithoutARow) {
  const std::pair<sim::Vec3, sim::Vec3> pairs[] = {
      {{5, 5, 0}, {5, 5, 0}},
      {{5, 5, 0}, {5, 5, 7}},  // only Z differs: the plan distance is 0
  };
  for (const auto& [from, to] : pairs) {
    attach();
    platform.activatedWindows.clear();
    pair(from, to);
    pair({0, 0, 0}, {3, 4, 0});  // never asked for
    run();
    EXPECT_TRUE(sheet->cells().empty());
    EXPECT_EQ(platform.activatedWindows, (std::vector<std::string>{"autoCAD"}));
    EXPECT_EQ(drawing().picks.pending(), 2u);
    drawing().picks.clear();
  }
}

TEST_F(MeasureDistanceTest, DifferencesKeepTheirSignAndYoxOneExchangesThem) {
  struct Case { std::int16_t yox; sim::Vec3 from, to; std::vector<Variant> row; };
  const Case cases[] = {
      {0, {0, 0, 0}, {3, 4, 0}, {3.0, 4.0, 5.0}},
      {1, {0, 0, 0}, {3, 4, 0}, {4.0, 3.0, 5.0}},
      {2, {0, 0, 0}, {3, 4, 0}, {3.0, 4.0, 5.0}},
      {0, {3, 4, 9}, {0, 0, 0}, {-3.0, -4.0, 5.0}},  // right to left; Z plays no part
      {0, {1.25, 0, 0}, {13.5956, 0, 0}, {12.346, 0.0, 12.346}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "YOX " << c.yox << " to " << c.to.x);
    *sheet = sim::Worksheet{};
    attach();
    sheet->activate(sim::Area::cell({2, 1}));
    settings.YOX = c.yox;
    pair(c.from, c.to);
    cancelPick();
    run();
    EXPECT_EQ(row(2), c.row);
    EXPECT_EQ(sheet->activeCell(), (CellRef{3, 1}));
  }
}

TEST_F(MeasureDistanceTest, TheEndPointIsAskedWithTheTranslatedStartAsBase) {
  attach();
  pair({1, 2, 0}, {4, 6, 0});
  cancelPick();
  run();
  std::vector<std::string> getPoints;
  for (const auto& call : acad.context->log.entries())
    if (call.member == "GetPoint") getPoints.push_back(call.arguments);
  EXPECT_EQ(getPoints, (std::vector<std::string>{"Missing, \"Start point: \"",
                                                 "[1,2,0], \"End point: \"",
                                                 "Missing, \"Start point: \""}));
}

TEST_F(MeasureDistanceTest, FileOutputAppendsOneLinePerPairAndOneBlockPerRun) {
  attach(false);
  pair({0, 0, 0}, {3, 4, 0});
  cancelPick();
  run();
  flags(0, 0, 0);
  pair({0, 0, 0}, {3, 4, 0});
  pair({0, 0, 0}, {1, 1, 0});
  cancelPick();
  run();
  EXPECT_EQ(scratch.outputFile(),
            " \r\n    3.000    4.000    5.000\r\n \r\n\r\n\r\n");
}

class DistanceTextsTest : public MeasureDistanceTest {
 protected:
  DistanceTextsTest() {
    mainForm.chkboolchgtxt = 1;
    for (int i = 0; i < 3; ++i) texts.push_back(addText("t" + std::to_string(i)));
  }
  std::vector<std::string> textStrings() {
    std::vector<std::string> out;
    for (const auto& h : texts) out.push_back(textOf(h));
    return out;
  }
  std::vector<std::string> texts;
};

TEST_F(DistanceTextsTest, EnabledValuesGoToTheSelectedTextsByPosition) {
  struct Case {
    std::int16_t dx, dy, di;
    std::string prefix;
    std::int16_t prec;
    std::vector<int> selected;  // indices into texts, in selection order
    std::vector<std::string> after;
  };
  const Case cases[] = {
      {0, 0, 1, "L=", 2, {0}, {"L=12.35", "t1", "t2"}},
      {1, 0, 1, "", 3, {1, 0}, {"12.346", "-12.346", "t2"}},
      {1, 1, 1, "d", 1, {2, 0, 1}, {"d0.0", "d12.3", "d-12.3"}},
      // Fewer texts than values: the extra values stay unwritten.
      {1, 1, 1, "", 1, {0, 1}, {"-12.3", "0.0", "t2"}},
      {1, 1, 1, "", 1, {}, {"t0", "t1", "t2"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dx << c.dy << c.di << " " << c.prefix);
    for (int i = 0; i < 3; ++i) drawing().editEntity(texts[i])->text = "t" + std::to_string(i);
    attach();
    flags(c.dx, c.dy, c.di);
    mainForm.txtPref = c.prefix;
    settings.PREC = c.prec;
    pair({20, 5, 0}, {7.6544, 5, 0});  // dX -12.3456, dY 0, distance 12.3456
    std::vector<std::string> handles;
    for (int i : c.selected) handles.push_back(texts[i]);
    pickSelection(handles);
    cancelPick();
    run();
    EXPECT_EQ(textStrings(), c.after);
  }
}

TEST_F(DistanceTextsTest, EachMeasurementWritesOnlyIntoTheTextsSelectedForIt) {
  attach();
  flags(0, 0, 1);
  pair({0, 0, 0}, {3, 4, 0});
  pickSelection({texts[0]});
  pair({0, 0, 0}, {6, 8, 0});
  pickSelection({});  // Enter at once: nothing selected this time
  pair({0, 0, 0}, {5, 12, 0});
  pickSelection({texts[1]});
  cancelPick();
  run();
  EXPECT_EQ(textStrings(), (std::vector<std::string>{"5.000", "13.000", "t2"}));
  EXPECT_EQ((std::vector<Variant>{cell(1, 1), cell(2, 1), cell(3, 1)}),
            (std::vector<Variant>{5.0, 10.0, 13.0}));
}

TEST_F(DistanceTextsTest, TheSetSsIsCreatedOnceThenReusedAndKept) {
  attach(false);  // the text update does not depend on the spreadsheet
  flags(1, 0, 0);
  pair({0, 0, 0}, {3, 4, 0});
  pickSelection({texts[0]});
  pair({0, 0, 0}, {6, 8, 0});
  pickSelection({texts[1]});
  cancelPick();
  run();
  EXPECT_EQ(drawing().selectionSets.size(), 1u);
  ASSERT_NE(drawing().selectionSets.find("SS"), nullptr);
  EXPECT_EQ(textStrings(), (std::vector<std::string>{"3.000", "6.000", "t2"}));
  EXPECT_EQ(scratch.outputFile(), " \r\n    3.000\r\n    6.000\r\n");
  ASSERT_TRUE(textSet);
  auto count = textSet.count();
  ASSERT_TRUE(count);
  EXPECT_EQ(*count, 1);
}

TEST_F(DistanceTextsTest, ASelectedObjectWithoutTextIsSkippedAndTheOthersAreWritten) {
  attach();
  sim::Entity line;
  line.kind = sim::EntityKind::Line;
  line.points = {{0, 0, 0}, {1, 1, 0}};
  const auto lineHandle = drawing().addEntity(line);
  pair({0, 0, 0}, {3, 4, 0});
  pickSelection({lineHandle, texts[2], texts[0]});
  cancelPick();
  run();
  EXPECT_EQ(textStrings(), (std::vector<std::string>{"5.000", "t1", "4.000"}));
}

TEST_F(DistanceTextsTest, WithMoOffNoSelectionIsAskedFor) {
  attach();
  mainForm.chkboolchgtxt = 0;
  pair({0, 0, 0}, {3, 4, 0});
  cancelPick();
  run();
  EXPECT_EQ(prompts(), (std::vector<std::string>{"GetPoint Start point: ", "GetPoint End point: ",
                                                 "GetPoint Start point: "}));
  EXPECT_EQ(textStrings(), (std::vector<std::string>{"t0", "t1", "t2"}));
}

}  // namespace
}  // namespace plotmate
