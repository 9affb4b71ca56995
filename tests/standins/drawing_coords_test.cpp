#include "sim/drawing/coords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tests/native/acad_test_support.h"
#include "format/format_fixed.h"
#include "hosts/user_system.h"

namespace plotmate::sim {
namespace {

constexpr double kEps = 1e-9;

void expectNear(Vec3 actual, Vec3 expected, const char* what) {
  EXPECT_NEAR(actual.x, expected.x, kEps) << what;
  EXPECT_NEAR(actual.y, expected.y, kEps) << what;
  EXPECT_NEAR(actual.z, expected.z, kEps) << what;
}

// A UCS raised to z = 5, moved to (10, 20) and turned 90 degrees: its X axis
// is world Y, its Y axis world -X.
const Ucs kRaisedTurned{{10, 20, 5}, {0, 1, 0}, {-1, 0, 0}};
// A UCS standing up: X along world X, Y along world Z (Z then points to -Y).
const Ucs kStanding{{0, 0, 0}, {1, 0, 0}, {0, 0, 1}};
const double kSqrtHalf = std::sqrt(0.5);
const Ucs kTilted{{-4, 7, 2}, {kSqrtHalf, kSqrtHalf, 0}, {-0.5, 0.5, kSqrtHalf}};

TEST(DrawingCoords, ArbitraryAxisRule) {
  struct Case { const char* what; Vec3 normal; Vec3 x, y; };
  const double cap = 1.0 / 64;
  const Case cases[] = {
      {"world Z", {0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
      {"mirrored: -Z flips X", {0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
      {"along world X", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
      {"along world Y", {0, 1, 0}, {-1, 0, 0}, {0, 0, 1}},
      {"unnormalised normal", {0, 0, 7}, {1, 0, 0}, {0, 1, 0}},
      {"zero normal taken as Z", {0, 0, 0}, {1, 0, 0}, {0, 1, 0}},
  };
  for (const auto& c : cases) {
    const Frame f = ocsFrame(c.normal);
    expectNear(f.x, c.x, c.what);
    expectNear(f.y, c.y, c.what);
  }
  // Just inside the polar cap the world-Y rule applies, just outside the world-Z one.
  const Frame inside = ocsFrame({cap * 0.99, 0, 1});
  const Frame outside = ocsFrame({cap * 1.01, 0, 1});
  EXPECT_NEAR(inside.x.y, 0.0, kEps);   // Wy x N has no Y part
  EXPECT_GT(inside.x.x, 0.99);
  EXPECT_NEAR(outside.x.x, 0.0, kEps);  // Wz x N has no X part
  EXPECT_GT(outside.x.y, 0.99);
}

TEST(DrawingCoords, KnownTranslations) {
  struct Case {
    const char* what;
    Ucs ucs;
    Vec3 p;
    int from, to;
    bool displacement;
    std::optional<Vec3> normal;
    Vec3 expected;
  };
  const Case cases[] = {
      {"world to raised UCS", kRaisedTurned, {10, 21, 5}, 0, 1, false, {}, {1, 0, 0}},
      {"raised UCS to world", kRaisedTurned, {1, 2, 3}, 1, 0, false, {}, {8, 21, 8}},
      {"displacement ignores the origin", kRaisedTurned, {0, 1, 0}, 0, 1, true, {}, {1, 0, 0}},
      {"standing UCS sees world Z as Y", kStanding, {3, 9, 4}, 0, 1, false, {}, {3, 4, -9}},
      {"entity system with -Z mirrors X", Ucs{}, {2, 3, 4}, 4, 0, false, Vec3{0, 0, -1}, {-2, 3, -4}},
      {"polyline at elevation 5 to world UCS", Ucs{}, {1, 2, 5}, 4, 1, false, Vec3{0, 0, 1}, {1, 2, 5}},
      {"entity system to raised UCS", kRaisedTurned, {10, 21, 5}, 4, 1, false, Vec3{0, 0, 1}, {1, 0, 0}},
      {"world to world", kTilted, {1, 2, 3}, 0, 0, false, {}, {1, 2, 3}},
      {"normal ignored outside the entity system", Ucs{}, {1, 2, 3}, 0, 1, false, Vec3{1, 0, 0}, {1, 2, 3}},
  };
  for (const auto& c : cases) {
    auto r = translateCoordinates(c.ucs, c.p, c.from, c.to, c.displacement, c.normal);
    ASSERT_TRUE(r.has_value()) << c.what;
    expectNear(*r, c.expected, c.what);
  }
}

TEST(DrawingCoords, RefusedTranslations) {
  struct Case { const char* what; int from, to; std::optional<Vec3> normal; };
  const Case cases[] = {
      {"entity system without normal", 4, 0, {}},
      {"to entity system without normal", 1, 4, {}},
      {"zero normal", 4, 1, Vec3{0, 0, 0}},
      {"infinite normal", 4, 1, Vec3{INFINITY, 0, 1}},
      {"display system", 2, 0, {}},
      {"paper space", 0, 3, {}},
      {"unknown code", 5, 0, {}},
      {"negative code", -1, 0, {}},
  };
  for (const auto& c : cases) {
    auto r = translateCoordinates(Ucs{}, {1, 2, 3}, c.from, c.to, false, c.normal);
    ASSERT_FALSE(r.has_value()) << c.what;
    EXPECT_EQ(r.error().code, hr::kInvalidArg) << c.what;
    EXPECT_NE(r.error().description.find("TranslateCoordinates"), std::string::npos) << c.what;
  }
}

// The tools translate locally, with the user system read once through
// GetVariable: on random user systems and tilted normals (some within the
// arbitrary-axis rule's 1/64 of world Z) every translation they make must
// give what the host's own TranslateCoordinates gives, to the digits a cell holds.
TEST(DrawingCoords, LocalTranslationGivesWhatTheHostGives) {
  auto host = sim::testing::attachHost();
  const plotmate::AcadDocument document(host.document);
  const plotmate::AcadUtility utility(host.utility);
  std::mt19937 random(20261207);
  std::uniform_real_distribution<double> place(-5000, 5000), axis(-1, 1), tilt(-0.015, 0.015);
  auto written = [](const Point3& p) {
    return CellText(p[0], 6) + " " + CellText(p[1], 6) + " " + CellText(p[2], 6);
  };
  for (int round = 0; round < 300; ++round) {
    host.session().drawing.ucs = {{place(random), place(random), place(random)},
                                  {axis(random), axis(random), axis(random)},
                                  {axis(random), axis(random), axis(random)}};
    const Point3 normal = round % 3 == 0 ? Point3{tilt(random), tilt(random), 1}
                                         : Point3{axis(random), axis(random), axis(random)};
    const Point3 p{place(random), place(random), place(random)};
    auto user = ReadUserSystem(document);
    auto entity = EntitySystem(normal);
    ASSERT_TRUE(user && entity) << round;
    struct Translation { const char* what; Point3 local; Result<Point3> host; };
    const Translation cases[] = {
        {"entity to user", FromWorld(*user, ToWorld(*entity, p)),
         utility.translateCoordinates(p, kEntity, kUser, false, normal)},
        {"entity to world", ToWorld(*entity, p),
         utility.translateCoordinates(p, kEntity, kWorld, false, normal)},
        {"world to user", FromWorld(*user, p), utility.translateCoordinates(p, kWorld, kUser, false)},
        {"user to world", ToWorld(*user, p), utility.translateCoordinates(p, kUser, kWorld, false)},
    };
    for (const auto& c : cases) {
      ASSERT_TRUE(c.host) << c.what;
      EXPECT_EQ(written(c.local), written(*c.host)) << c.what << ", round " << round;
    }
  }
  // The system variables answer read-only, as the host documents them.
  EXPECT_FALSE(document.setVariable("UCSORG", fromPoint({1, 2, 3})));
}

}  // namespace
}  // namespace plotmate::sim
