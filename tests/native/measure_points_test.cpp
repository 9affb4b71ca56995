#include "measure/identify_points.h"

#include <gtest/gtest.h>

#include "measure_test_support.h"

// Which values go where under each setting, texts, cancels, failures and the
// blocks two runs append to "DistOut.txt" are checked by the golden scenarios
// (tests/scenarios/measure_points_*).

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
  void flags(std::int16_t x, std::int16_t y, std::int16_t z, std::int16_t t = 0) {
    settings.X = x;
    settings.Y = y;
    settings.Z = z;
    settings.T = t;
  }
  void startAt(CellRef cell) { sheet->activate(sim::Area::cell(cell)); }
};

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
