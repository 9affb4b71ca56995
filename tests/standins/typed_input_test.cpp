// What the drawing stand-in takes at its command line: AutoCAD refuses a
// blank inside a typed value, so the stand-in must too, or a command line
// the tools build with a stray blank would pass here and fail on a desk.

#include "sim/drawing/typed_input.h"

#include <gtest/gtest.h>

#include <optional>

namespace plotmate::sim {
namespace {

TEST(TypedInput, PointsAreTakenOnlyAsTheHostTakesThem) {
  struct Case {
    const char* typed;
    std::optional<Vec3> point;  // none: refused
  };
  const Vec3 last{10, 20, 5};
  const Case cases[] = {
      {"1,2", Vec3{1, 2, 0}},           {"1,2,3", Vec3{1, 2, 3}},
      {"@1,2", Vec3{11, 22, 5}},        {"@", last},
      {"-1.5,.5", Vec3{-1.5, 0.5, 0}},  {"1, 2", std::nullopt},
      {" 1,2", std::nullopt},           {"1,2 ", std::nullopt},
      {"1,2,3,4", std::nullopt},        {"1", std::nullopt},
      {"1,,2", std::nullopt},           {"1e999,2", std::nullopt},
      {"", std::nullopt},               {"a,b", std::nullopt},
  };
  for (const auto& c : cases) {
    const auto point = parseTypedPoint(c.typed, Ucs{}, last);
    ASSERT_EQ(point.has_value(), c.point.has_value()) << '"' << c.typed << '"';
    if (point) {
      EXPECT_TRUE(*point == *c.point) << c.typed;
    }
  }
}

}  // namespace
}  // namespace plotmate::sim
