#include <gtest/gtest.h>

#include "measure/area_form.h"
#include "measure/dist_form.h"
#include "measure/id_form.h"
#include "measure_test_support.h"

namespace plotmate {
namespace {

using measure_testing::MeasureDesk;

class MeasureButtonsTest : public MeasureDesk {
 protected:
  void hosts(bool acadRunning, bool excelRunning) {
    if (!acadRunning) broker.setNotRunning(kAcadProgId);
    if (!excelRunning) broker.setNotRunning(kExcelProgId);
  }
  // First lines of the messages: which attach complained, in which order.
  std::vector<std::string> heads() const {
    std::vector<std::string> out;
    for (const auto& m : platform.messages) out.push_back(m.text.substr(0, m.text.find('\n')));
    return out;
  }
};

const std::string kNoAcad = "AutoCAD可能未打开！", kNoExcel = "Excel可能未打开！";

TEST_F(MeasureButtonsTest, PointAndDistanceButtonsAttachBothThenRunOnlyWithTheDrawing) {
  struct Case { bool acad, excel; std::vector<std::string> heads; std::size_t prompts; };
  const Case cases[] = {
      {true, true, {}, 1},
      {true, false, {kNoExcel}, 1},  // the run goes on, into the file
      {false, true, {kNoAcad}, 0},
      {false, false, {kNoAcad, kNoExcel}, 0},
  };
  for (bool distance : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << (distance ? "DIST " : "ID ") << c.acad << c.excel);
      platform.messages.clear();
      broker.setRunning(kAcadProgId, acad.application);
      broker.setRunning(kExcelProgId, excel.application);
      hosts(c.acad, c.excel);
      const auto shown = drawing().picks.log().size();
      cancelPick();
      if (distance) {
        Distfrm{}.Command1_Click(desk, settings, mainForm, textSet);
      } else {
        Idfrm{}.Command2_Click(desk, settings);
      }
      drawing().picks.clear();
      EXPECT_EQ(heads(), c.heads);
      EXPECT_EQ(drawing().picks.log().size() - shown, c.prompts);
      EXPECT_EQ(session.ExcelMissing, c.excel ? 0 : -1);
    }
  }
  EXPECT_EQ(scratch.outputFile(), " \r\n \r\n");  // one block per run that went to the file
}

TEST_F(MeasureButtonsTest, TheAreaButtonAttachesTheSheetFirstAndOnlyWhenTicked) {
  struct Case { std::int16_t box; bool acad, excel; std::vector<std::string> heads; bool toSheet; };
  const Case cases[] = {
      {1, true, true, {}, true},
      {0, true, true, {"Area=100"}, false},
      {1, true, false, {kNoExcel, "Area=100"}, false},
      {0, true, false, {"Area=100"}, false},
      {1, false, false, {kNoExcel, kNoAcad}, false},
      {0, false, true, {kNoAcad}, false},
  };
  sim::Entity outline;
  outline.kind = sim::EntityKind::LwPolyline;
  outline.points = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
  outline.bulges.assign(4, 0.0);
  outline.closed = true;
  drawing().addEntity(outline);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.box << c.acad << c.excel);
    platform.messages.clear();
    session = HostSession{};
    *sheet = sim::Worksheet{};
    broker.setRunning(kAcadProgId, acad.application);
    broker.setRunning(kExcelProgId, excel.application);
    hosts(c.acad, c.excel);
    Areafrm form;
    form.chkboolArea_Click(c.box, settings);
    pickAt(5, 5);
    form.Command6_Click(desk, settings);
    drawing().picks.clear();
    EXPECT_EQ(heads(), c.heads);
    EXPECT_EQ(session.ExcelApp != nullptr, c.box && c.excel);
    EXPECT_EQ(cell(1, 1), c.toSheet ? Variant(100.0) : Variant());
  }
}

}  // namespace
}  // namespace plotmate
