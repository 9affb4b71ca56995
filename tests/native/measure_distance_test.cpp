#include "measure/measure_distance.h"

#include <gtest/gtest.h>

#include "measure_test_support.h"

// Signs, settings, cancels, zero distances and the text update are checked by
// the golden scenarios (tests/scenarios/measure_distance_*).

namespace plotmate {
namespace {

using measure_testing::MeasureDesk;

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
};

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

}  // namespace
}  // namespace plotmate
