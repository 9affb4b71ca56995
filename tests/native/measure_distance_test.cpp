#include "measure/measure_distance.h"

#include <gtest/gtest.h>

#include "measure_test_support.h"

// Signs, settings, cancels, zero distances, the text update and the lines two
// runs append to "DistOut.txt" are checked by the golden scenarios
// (tests/scenarios/measure_distance_*); a row of values that are all off, by
// MeasureRowFileTest.

namespace plotmate {
namespace {

using measure_testing::MeasureDesk;

class MeasureDistanceTest : public MeasureDesk {};

TEST_F(MeasureDistanceTest, TheEndPointIsAskedWithTheTranslatedStartAsBase) {
  drawing().drawing.ucs.origin = {100, 200, 10};  // user = world - (100, 200, 10)
  settings.DX = settings.DY = settings.DI = 1;
  attach();
  pickAt(101, 202, 10);  // user (1, 2, 0)
  pickAt(104, 206, 10);
  cancelPick();
  MeasureDistance(session, platform, settings, mainForm, textSet);
  std::vector<std::string> getPoints;
  for (const auto& call : acad.context->log.entries())
    if (call.member == "GetPoint") getPoints.push_back(call.arguments);
  EXPECT_EQ(getPoints, (std::vector<std::string>{"Missing, \"Start point: \"",
                                                 "[1,2,0], \"End point: \"",
                                                 "Missing, \"Start point: \""}));
}

}  // namespace
}  // namespace plotmate
