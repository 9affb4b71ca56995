#include "measure/measure_area.h"

#include <gtest/gtest.h>

#include <numbers>

#include "acad_test_support.h"
#include "format/number_text.h"
#include "measure_test_support.h"

// Where the area goes, cancels, islands and every host failure before and
// after the boundary command are checked by the golden scenarios
// (tests/scenarios/measure_area_*).

namespace plotmate {
namespace {

using measure_testing::MeasureDesk;
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
  std::size_t objects() const { return acad.session->drawing.size(); }
  static constexpr std::size_t kDrawn = 4;
};

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
