#include "measure/measure_area.h"

#include <gtest/gtest.h>

#include <numbers>

#include "acad_test_support.h"
#include "format/number_text.h"
#include "measure_test_support.h"

namespace plotmate {
namespace {

using measure_testing::MeasureDesk;
using sim::CellRef;
using sim::testing::makeCircle;
using sim::testing::makeSquare;

// A 10 x 10 outline at (0, 0) holding a 2 x 2 square island and a circle of
// radius 1: the net area is 100 - 4 - pi.
const double kNetArea = 100 - 4 - std::numbers::pi;

class MeasureAreaTest : public MeasureDesk {
 protected:
  MeasureAreaTest() {
    settings.PREC = 3;
    drawing().addEntity(makeSquare(0, 0, 10));
    drawing().addEntity(makeSquare(2, 2, 2));
    drawing().addEntity(makeCircle({7, 7, 0}, 1));
    drawing().addEntity(makeSquare(50, 0, 10));  // a plain outline without islands
    drawing().variables.assign("NOMUTT", Variant(std::int16_t{1}));
  }
  void run() { MeasureArea(session, platform, settings); }
  std::int16_t nomutt() const { return acad.session->variables.integer("NOMUTT"); }
  std::size_t objects() const { return acad.session->drawing.size(); }
  static constexpr std::size_t kDrawn = 4;
};

TEST_F(MeasureAreaTest, TheNetAreaGoesToTheCellOrTheMessageAndTheRegionsGo) {
  struct Case {
    const char* name;
    std::int16_t writeToExcel;
    bool excelRunning;
    double x, y;
    Variant a1;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"islands to the sheet", 1, true, 1, 1, 92.858, {}},
      {"plain outline to the sheet", 1, true, 55, 5, 100.0, {}},
      {"islands to a message", 0, true, 1, 1, Variant(), {"Area=" + countingForm(kNetArea)}},
      {"spreadsheet missing", 1, false, 1, 1, Variant(), {"Area=" + countingForm(kNetArea)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    *sheet = sim::Worksheet{};
    attach(c.excelRunning);
    settings.WriteToExcel = c.writeToExcel;
    platform.activatedWindows.clear();
    pickAt(c.x, c.y);
    run();
    EXPECT_EQ(cell(1, 1), c.a1);
    EXPECT_EQ(sheet->activeCell(), (c.a1.isEmpty() ? CellRef{1, 1} : CellRef{2, 1}));
    EXPECT_EQ(messages(), c.messages);
    EXPECT_EQ(objects(), kDrawn);  // islands consumed, outer region deleted
    EXPECT_EQ(nomutt(), 0);
    EXPECT_EQ(platform.activatedWindows, (std::vector<std::string>{"autoCAD", "autoCAD"}));
  }
  EXPECT_EQ(messages().front(), "Area=92.8584073464102");
}

TEST_F(MeasureAreaTest, HostCallsFollowTheRunStepByStep) {
  attach();
  pickAt(1, 1);
  run();
  EXPECT_EQ(acadCalls(),
            (std::vector<std::string>{
                "AcadModelSpace.Count", "AcadDocument.Utility", "AcadUtility.GetPoint",
                "AcadUtility.TranslateCoordinates", "AcadDocument.SetVariable",
                "AcadDocument.SendCommand", "AcadDocument.SetVariable", "AcadModelSpace.Count",
                "AcadModelSpace.Count", "AcadModelSpace.Item", "AcDbRegion.Area",
                "AcadModelSpace.Item", "AcDbRegion.Area", "AcadModelSpace.Item", "AcDbRegion.Area",
                "AcadModelSpace.Item", "AcadModelSpace.Count", "AcadModelSpace.Item",
                "AcDbRegion.Boolean", "AcadModelSpace.Count", "AcadModelSpace.Item",
                "AcDbRegion.Boolean", "AcDbRegion.Highlight", "AcDbRegion.Area",
                "AcDbRegion.Delete"}));
  std::vector<std::string> items;
  for (const auto& call : acad.context->log.entries())
    if (call.member == "Item" || call.member == "SetVariable") items.push_back(call.arguments);
  EXPECT_EQ(items, (std::vector<std::string>{"\"NOMUTT\", 1", "\"NOMUTT\", 0", "4", "5", "6", "4",
                                             "6", "5"}));
  EXPECT_EQ(drawing().commands.sent, (std::vector<std::string>{"-boundary\ra\ro\rr\r\r1,1\r\r"}));
}

TEST_F(MeasureAreaTest, APointOutsideEveryOutlineAsksAgain) {
  attach();
  platform.activatedWindows.clear();
  pickAt(30, 30);
  pickAt(55, 5);
  run();
  EXPECT_EQ(messages(), (std::vector<std::string>{"未发现有效边界!", "Area=100"}));
  EXPECT_EQ(prompts(), (std::vector<std::string>{"GetPoint pick point: ", "GetPoint pick point: "}));
  EXPECT_EQ(platform.activatedWindows,
            (std::vector<std::string>{"autoCAD", "autoCAD", "autoCAD"}));
  EXPECT_EQ(objects(), kDrawn);
  EXPECT_EQ(nomutt(), 0);
}

TEST_F(MeasureAreaTest, ACancelledOrFailedPickEndsTheRunQuietly) {
  for (bool cancelled : {true, false}) {
    attach();
    if (cancelled) cancelPick();
    else failAcad("GetPoint", 0, "AcadUtility");
    pickAt(1, 1);  // never taken
    run();
    EXPECT_TRUE(platform.messages.empty()) << cancelled;
    EXPECT_EQ(objects(), kDrawn);
    EXPECT_EQ(nomutt(), 1);  // the run never reached the command
    EXPECT_TRUE(drawing().commands.sent.empty());
    drawing().picks.clear();
    acad.context->faults.clear();
  }
}

TEST_F(MeasureAreaTest, IslandsAddedBeforeTheOuterRegionEndInErrorAndTheRegionsGo) {
  attach();
  drawing().boundaryIslandsFirst = true;
  platform.activatedWindows.clear();
  pickAt(1, 1);
  run();
  EXPECT_EQ(messages(), (std::vector<std::string>{"Error!"}));
  EXPECT_EQ(objects(), kDrawn);
  EXPECT_EQ(platform.activatedWindows, (std::vector<std::string>{"autoCAD"}));
  EXPECT_TRUE(drawing().highlighted.empty());
  EXPECT_TRUE(sheet->cells().empty());
}

TEST_F(MeasureAreaTest, AHostFailureAfterTheCommandDeletesTheRunsRegions) {
  struct Case {
    const char* object;
    const char* member;
    std::size_t nth;
    std::size_t left;  // objects in model space afterwards
    std::vector<std::string> messages;
  };
  const std::string failed = "AutoCAD操作失败！\n\nInjected fault";
  const Case cases[] = {
      {"AcadDocument", "SendCommand", 1, kDrawn, {failed}},
      {"AcadDocument", "SetVariable", 2, kDrawn, {failed}},  // NOMUTT back to 0
      {"AcadModelSpace", "Count", 2, kDrawn, {failed}},
      {"AcDbRegion", "Area", 2, kDrawn, {failed}},
      {"AcadModelSpace", "Item", 5, kDrawn, {failed}},
      {"AcDbRegion", "Boolean", 2, kDrawn, {failed}},
      {"AcDbRegion", "Highlight", 1, kDrawn, {failed}},
      // After the area is reported only the last deletion is missing.
      {"AcDbRegion", "Delete", 1, kDrawn + 1, {"Area=" + countingForm(kNetArea), failed}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.object << "." << c.member << " #" << c.nth);
    attach();
    settings.WriteToExcel = 0;
    acad.context->faults.clear();
    failAcad(c.member, c.nth, c.object);
    pickAt(1, 1);
    run();
    acad.context->faults.clear();
    EXPECT_EQ(messages(), c.messages);
    EXPECT_EQ(objects(), c.left);
    EXPECT_EQ(nomutt(), c.member == std::string("SetVariable") ? 1 : 0);
    while (objects() > kDrawn) drawing().eraseEntity(drawing().drawing.at(kDrawn)->handle);
  }
}

TEST_F(MeasureAreaTest, AFailureBeforeTheCommandChangesNothingAndSaysWhy) {
  const std::pair<const char*, const char*> cases[] = {
      {"AcadModelSpace", "Count"},
      {"AcadDocument", "Utility"},
      {"AcadUtility", "TranslateCoordinates"},
      {"AcadDocument", "SetVariable"},
  };
  for (const auto& [object, member] : cases) {
    SCOPED_TRACE(member);
    attach();
    acad.context->faults.clear();
    failAcad(member, 1, object);
    pickAt(1, 1);
    run();
    drawing().picks.clear();
    EXPECT_EQ(messages(), (std::vector<std::string>{"AutoCAD操作失败！\n\nInjected fault"}));
    EXPECT_EQ(objects(), kDrawn);
    EXPECT_TRUE(drawing().commands.sent.empty());
  }
}

TEST_F(MeasureAreaTest, AnAreaThatCannotReachItsCellIsShownInstead) {
  attach();
  settings.WriteToExcel = 1;
  excel.context->faults.add({"Range", "Value", 0, {hr::kFail, "locked"}});
  pickAt(55, 5);
  run();
  EXPECT_EQ(messages(), (std::vector<std::string>{"Area=100"}));
  EXPECT_TRUE(sheet->cells().empty());
}

TEST_F(MeasureAreaTest, ThePointIsTypedInUserCoordinates) {
  // One outline at world (1000, 1000); the same world pick inside it, seen
  // from the world system and from a user system whose origin is its corner.
  const auto outline = drawing().addEntity(makeSquare(1000, 1000, 10));
  const std::pair<sim::Vec3, std::string> cases[] = {
      {{0, 0, 0}, "-boundary\ra\ro\rr\r\r1000.5,1001.25\r\r"},
      {{1000, 1000, 0}, "-boundary\ra\ro\rr\r\r0.5,1.25\r\r"},
  };
  for (const auto& [origin, sent] : cases) {
    attach();
    drawing().drawing.ucs.origin = origin;
    drawing().commands.sent.clear();
    pickAt(1000.5, 1001.25);
    run();
    EXPECT_EQ(drawing().commands.sent, std::vector<std::string>{sent});
    EXPECT_EQ(messages(), std::vector<std::string>{"Area=100"});
    EXPECT_NE(drawing().drawing.find(outline), nullptr);
  }
}

TEST_F(MeasureAreaTest, ModelSpacesBeyondSixteenBitCountsAreMeasured) {
  for (int i = 0; i < 33000; ++i) {
    sim::Entity point;
    point.kind = sim::EntityKind::Point;
    point.points = {{-500.0 - i, -500, 0}};
    drawing().drawing.add(point);
  }
  attach();
  pickAt(1, 1);
  run();
  EXPECT_EQ(messages(), (std::vector<std::string>{"Area=" + countingForm(kNetArea)}));
  EXPECT_EQ(objects(), kDrawn + 33000);
}

TEST(BoundaryCommandText, CountingFormsOfThePointNotRounded) {
  EXPECT_EQ(BoundaryCommandText(0.5, -1234.56789012345),
            "-boundary\ra\ro\rr\r\r0.5,-1234.56789012345\r\r");
  EXPECT_EQ(BoundaryCommandText(12, -0.25), "-boundary\ra\ro\rr\r\r12,-0.25\r\r");
}

}  // namespace
}  // namespace plotmate
