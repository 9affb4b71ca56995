#include "measure/identify_points.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "measure_test_support.h"

namespace plotmate {
namespace {

using namespace std::string_literals;
using measure_testing::MeasureDesk;
using sim::CellRef;

class IdentifyPointsTest : public MeasureDesk {
 protected:
  IdentifyPointsTest() {
    // A user system moved off the world origin: every recorded value is a
    // user coordinate, so the translation can never be skipped unnoticed.
    drawing().drawing.ucs.origin = {100, 200, 10};
    settings.PREC = 3;
  }
  void run() { IdentifyPoints(session, platform, settings); }
  // World (112.3456, 207.1, 13) is user (12.3456, 7.1, 3).
  void pickFirstPoint() { pickAt(112.3456, 207.1, 13); }
  // World (99, 201, 10) is user (-1, 1, 0).
  void pickSecondPoint() { pickAt(99, 201, 10); }
  void flags(std::int16_t x, std::int16_t y, std::int16_t z, std::int16_t t = 0) {
    settings.X = x;
    settings.Y = y;
    settings.Z = z;
    settings.T = t;
  }
  void startAt(CellRef cell) { sheet->activate(sim::Area::cell(cell)); }
};

TEST_F(IdentifyPointsTest, CancellingTheFirstPickEndsTheRunAndBringsTheSheetForward) {
  for (bool excelRunning : {true, false}) {
    SCOPED_TRACE(excelRunning);
    attach(excelRunning);
    flags(1, 1, 1);
    platform.activatedWindows.clear();
    cancelPick();
    run();
    EXPECT_EQ(platform.activatedWindows, (std::vector<std::string>{"autoCAD", "Microsoft Excel"}));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(sheet->cells().empty());
    // Without a spreadsheet the run still adds its block's blank line.
    EXPECT_EQ(scratch.outputFile(), excelRunning ? "(none)" : " \r\n");
  }
}

TEST_F(IdentifyPointsTest, EachPointIsOneRowOfTheValuesThatAreOn) {
  struct Case {
    std::int16_t x, y, z, yox;
    std::vector<Variant> b2_d3;  // B2, C2, D2, B3, C3, D3
  };
  const Empty e;
  const Case cases[] = {
      {1, 1, 1, 0, {12.346, 7.1, 3.0, -1.0, 1.0, 0.0}},
      {1, 0, 1, 0, {12.346, 3.0, e, -1.0, 0.0, e}},  // X then Z, side by side
      {0, 1, 0, 0, {7.1, e, e, 1.0, e, e}},           // straight down
      {1, 1, 1, 1, {7.1, 12.346, 3.0, 1.0, -1.0, 0.0}},  // engineering order: Y first
      {1, 1, 0, 2, {12.346, 7.1, e, -1.0, 1.0, e}},      // only exactly 1 exchanges
      {0, 0, 1, 1, {3.0, e, e, 0.0, e, e}},              // Z is never exchanged
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << c.y << c.z << " YOX " << c.yox);
    *sheet = sim::Worksheet{};
    attach();
    startAt({2, 2});
    flags(c.x, c.y, c.z);
    settings.YOX = c.yox;
    pickFirstPoint();
    pickSecondPoint();
    cancelPick();
    run();
    const std::vector<Variant> cells{cell(2, 2), cell(2, 3), cell(2, 4),
                                     cell(3, 2), cell(3, 3), cell(3, 4)};
    EXPECT_EQ(cells, c.b2_d3);
    EXPECT_EQ(sheet->activeCell(), (CellRef{4, 2}));
    EXPECT_EQ(sheet->cells().size(), c.b2_d3.size() - std::ranges::count(c.b2_d3, Variant(e)));
  }
}

TEST_F(IdentifyPointsTest, EveryCycleFetchesUtilityAgainAndTranslatesFromWorldToUser) {
  attach();
  flags(1, 0, 0);
  pickFirstPoint();
  cancelPick();
  run();
  EXPECT_EQ(acadCalls(), (std::vector<std::string>{
                             "AcadDocument.Utility", "AcadUtility.GetPoint",
                             "AcadUtility.TranslateCoordinates", "AcadDocument.Utility",
                             "AcadUtility.GetPoint"}));
  ASSERT_EQ(acad.context->log.size(), 5u);
  EXPECT_EQ(acad.context->log.entries()[1].arguments, "Missing, \"Pick point:\"");
  EXPECT_EQ(acad.context->log.entries()[2].arguments, "[112.3456,207.1,13], 0, 1, 0");
}

TEST_F(IdentifyPointsTest, PickedTextsGoToTheFourthColumnOfTheirRow) {
  attach();
  flags(1, 1, 0, 1);
  startAt({2, 2});
  const auto zeros = addText("007");
  const auto station = addText("K1+200");
  const auto paragraph = addText("not this one", sim::EntityKind::MText);
  pickFirstPoint();
  pickEntity(paragraph);  // refused silently, asked again
  pickEntity(zeros);
  pickSecondPoint();
  pickEntity(station);
  cancelPick();
  run();
  EXPECT_EQ(cell(2, 5), Variant("007"s));  // kept as the text it is
  EXPECT_EQ(cell(3, 5), Variant("K1+200"s));
  EXPECT_EQ(cell(2, 4), Variant());  // the column between stays untouched
  EXPECT_EQ(sheet->activeCell(), (CellRef{4, 2}));
  EXPECT_EQ(prompts(), (std::vector<std::string>{
                           "GetPoint Pick point:", "GetEntity Select text:",
                           "GetEntity Select text:", "GetPoint Pick point:",
                           "GetEntity Select text:", "GetPoint Pick point:"}));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(IdentifyPointsTest, CancellingTheTextPickSaysGoodByeAfterThePointIsRecorded) {
  for (bool excelRunning : {true, false}) {
    SCOPED_TRACE(excelRunning);
    *sheet = sim::Worksheet{};
    attach(excelRunning);
    flags(1, 1, 0, 1);
    platform.activatedWindows.clear();
    pickFirstPoint();
    cancelPick();
    run();
    EXPECT_EQ(messages(), (std::vector<std::string>{"GetEntity: Good Bye."}));
    EXPECT_EQ(platform.activatedWindows, (std::vector<std::string>{"autoCAD"}));
    if (excelRunning) {
      EXPECT_EQ(cell(1, 1), Variant(12.346));
      EXPECT_EQ(cell(1, 2), Variant(7.1));
    } else {
      EXPECT_EQ(scratch.outputFile(), " \r\n   12.346    7.100\r\n");
    }
  }
}

TEST_F(IdentifyPointsTest, TextsAloneGoAboveAndRightOfTheCursorWhichStays) {
  struct Case { CellRef start; std::vector<std::pair<CellRef, Variant>> cells; };
  const Case cases[] = {
      // Each new string overwrites the previous one.
      {{5, 3}, {{{4, 6}, Variant("second"s)}}},
      // From the first row there is no row above: nothing is written, and
      // certainly not into the active cell.
      {{1, 1}, {}},
  };
  for (const auto& c : cases) {
    *sheet = sim::Worksheet{};
    attach();
    flags(0, 0, 0, 1);
    startAt(c.start);
    const auto first = addText("first"), second = addText("second");
    pickFirstPoint();
    pickEntity(first);
    pickSecondPoint();
    pickEntity(second);
    cancelPick();
    run();
    EXPECT_EQ(sheet->cells(), (std::map<CellRef, Variant>(c.cells.begin(), c.cells.end())));
    EXPECT_EQ(sheet->activeCell(), c.start);
  }
}

TEST_F(IdentifyPointsTest, FileOutputAppendsOneBlockPerRun) {
  attach(false);
  std::ofstream("DistOut.txt", std::ios::binary) << "earlier\r\n";
  flags(1, 1, 0);
  pickFirstPoint();
  cancelPick();
  run();
  flags(0, 0, 0);
  pickSecondPoint();
  pickFirstPoint();
  cancelPick();
  run();
  EXPECT_EQ(scratch.outputFile(), "earlier\r\n \r\n   12.346    7.100\r\n \r\n\r\n\r\n");
  EXPECT_TRUE(sheet->cells().empty());
}

TEST_F(IdentifyPointsTest, WithoutASpreadsheetTheTextIsAskedForButNeverWritten) {
  attach();
  broker.setNotRunning(kExcelProgId);
  AttachExcel(session, broker, platform);  // ExcelMissing, the old application still kept
  platform.messages.clear();
  flags(1, 0, 0, 1);
  startAt({3, 1});
  pickFirstPoint();
  pickEntity(addText("label"));
  cancelPick();
  run();
  EXPECT_TRUE(sheet->cells().empty());
  EXPECT_EQ(excel.context->log.size(), 0u);
  EXPECT_EQ(scratch.outputFile(), " \r\n   12.346\r\n");
}

TEST_F(IdentifyPointsTest, AFailedTranslationRecordsThePreviousPointUnchanged) {
  attach();
  flags(1, 1, 0);
  settings.YOX = 1;
  failAcad("TranslateCoordinates", 2, "AcadUtility");
  pickFirstPoint();
  pickSecondPoint();
  cancelPick();
  run();
  EXPECT_EQ((std::vector<Variant>{cell(1, 1), cell(1, 2), cell(2, 1), cell(2, 2)}),
            (std::vector<Variant>{7.1, 12.346, 7.1, 12.346}));
}

TEST_F(IdentifyPointsTest, UtilityMissingAtTheStartEndsTheRunWithAMessageLaterItIsKept) {
  struct Case { std::size_t failingFetch; std::vector<std::string> messages; std::string file; std::size_t prompts; };
  const Case cases[] = {
      {1, {"AutoCAD操作失败！\n\nInjected fault"}, "(none)", 0},
      {2, {}, " \r\n   12.346\r\n   -1.000\r\n", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failingFetch);
    attach(false);
    acad.context->faults.clear();
    failAcad("Utility", c.failingFetch, "AcadDocument");
    flags(1, 0, 0);
    const auto shownBefore = drawing().picks.log().size();
    pickFirstPoint();
    pickSecondPoint();
    cancelPick();
    run();
    drawing().picks.clear();
    EXPECT_EQ(messages(), c.messages);
    EXPECT_EQ(scratch.outputFile(), c.file);
    EXPECT_EQ(drawing().picks.log().size() - shownBefore, c.prompts);
    std::filesystem::remove("DistOut.txt");
  }
}

TEST_F(IdentifyPointsTest, AnOutputFileThatCannotBeOpenedEndsTheRunBeforeAnyPick) {
  attach(false);
  std::filesystem::create_directory("DistOut.txt");
  flags(1, 1, 1);
  pickFirstPoint();
  run();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].text.find("DistOut.txt"), std::string::npos);
  EXPECT_TRUE(drawing().picks.log().empty());
}

TEST_F(IdentifyPointsTest, WithoutAnOpenDrawingTheRunSaysSo) {
  attach();
  session.AcadDoc = nullptr;
  run();
  EXPECT_EQ(messages(), (std::vector<std::string>{"AutoCAD操作失败！\n\nAutoCAD中没有打开的图形。"}));
}

}  // namespace
}  // namespace plotmate
