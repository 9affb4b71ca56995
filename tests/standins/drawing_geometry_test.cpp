#include "sim/drawing/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace plotmate::sim {
namespace {

using std::numbers::pi;
constexpr double kEps = 1e-7;

Entity line(Vec3 a, Vec3 b) { return {.kind = EntityKind::Line, .points = {a, b}}; }
Entity lwpoly(std::vector<Vec3> p, std::vector<double> bulges = {}, bool closed = false, double elevation = 0,
              Vec3 normal = {0, 0, 1}) {
  bulges.resize(p.size(), 0.0);
  return {.kind = EntityKind::LwPolyline, .normal = normal, .points = std::move(p), .bulges = std::move(bulges),
          .elevation = elevation, .closed = closed};
}
Entity poly3d(std::vector<Vec3> p) { return {.kind = EntityKind::Polyline3d, .points = std::move(p)}; }
Entity circle(Vec3 c, double r, Vec3 normal = {0, 0, 1}) {
  return {.kind = EntityKind::Circle, .normal = normal, .points = {c}, .radius = r};
}
Entity arc(Vec3 c, double r, double startDeg, double endDeg) {
  return {.kind = EntityKind::Arc, .points = {c}, .radius = r, .startAngle = startDeg * pi / 180, .endAngle = endDeg * pi / 180};
}
Entity point(Vec3 p) { return {.kind = EntityKind::Point, .points = {p}}; }
Entity text(Vec3 p, std::string s, double height) {
  return {.kind = EntityKind::Text, .points = {p}, .text = std::move(s), .height = height};
}

std::string describe(const std::vector<Vec3>& points) {
  std::string s;
  for (const Vec3& p : points) {
    s += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + "," + std::to_string(p.z) + ")";
  }
  return s;
}

TEST(DrawingGeometry, IntersectWith) {
  struct Case {
    const char* what;
    Entity a, b;
    std::vector<Vec3> expected;  // in the order along b
  };
  const auto square = std::vector<Vec3>{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
  const Case cases[] = {
      {"crossing lines", line({0, 0, 0}, {10, 10, 0}), line({0, 10, 0}, {10, 0, 0}), {{5, 5, 0}}},
      {"skew lines do not meet", line({0, 0, 0}, {10, 0, 0}), line({5, -5, 1}, {5, 5, 1}), {}},
      {"lines meeting in space", line({5, -5, -5}, {5, 5, 5}), line({0, 0, 0}, {10, 0, 0}), {{5, 0, 0}}},
      {"no extension: short of the other line", line({5, 1, 0}, {5, 5, 0}), line({0, 0, 0}, {10, 0, 0}), {}},
      {"end of one on the other", line({5, 0, 0}, {5, 5, 0}), line({0, 0, 0}, {10, 0, 0}), {{5, 0, 0}}},
      {"ends meeting", line({10, 0, 0}, {20, 5, 0}), lwpoly({{0, 0, 0}, {10, 0, 0}}), {{10, 0, 0}}},
      {"parallel lines", line({0, 1, 0}, {10, 1, 0}), line({0, 0, 0}, {10, 0, 0}), {}},
      {"collinear overlap: its two ends", line({5, 0, 0}, {15, 0, 0}), line({0, 0, 0}, {10, 0, 0}), {{5, 0, 0}, {10, 0, 0}}},
      {"through a vertex: once", line({5, -5, 0}, {15, 5, 0}), lwpoly({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}), {{10, 0, 0}}},
      {"twice: ordered along the polyline", line({5, 15, 0}, {5, -5, 0}), lwpoly(square), {{5, 0, 0}, {5, 10, 0}}},
      {"closing segment of a closed polyline", line({-5, 5, 0}, {5, 5, 0}), lwpoly(square, {}, true), {{0, 5, 0}}},
      {"same line, open polyline", line({-5, 5, 0}, {5, 5, 0}), lwpoly(square, {}, false), {}},
      {"positive bulge: arc below the chord", line({5, -10, 0}, {5, 10, 0}), lwpoly({{0, 0, 0}, {10, 0, 0}}, {1}), {{5, -5, 0}}},
      {"negative bulge: arc above the chord", line({5, -10, 0}, {5, 10, 0}), lwpoly({{0, 0, 0}, {10, 0, 0}}, {-1}), {{5, 5, 0}}},
      {"crossing only the chord meets nothing", line({5, -1, 0}, {5, 1, 0}), lwpoly({{0, 0, 0}, {10, 0, 0}}, {1}), {}},
      {"crossing only the arc, twice, along the arc", line({10, -4, 0}, {0, -4, 0}), lwpoly({{0, 0, 0}, {10, 0, 0}}, {1}), {{2, -4, 0}, {8, -4, 0}}},
      {"line above a 3-D polyline", line({5, -5, 3}, {5, 5, 3}), poly3d({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}), {}},
      {"line piercing a 3-D polyline's rise", line({10, 5, 2}, {10, 5, 8}), poly3d({{0, 0, 0}, {10, 0, 0}, {10, 10, 10}}), {{10, 5, 5}}},
      {"polyline at elevation, normal down", line({5, -5, -2}, {5, 5, -2}), lwpoly({{0, 0, 0}, {-10, 0, 0}}, {}, false, 2, {0, 0, -1}), {{5, 0, -2}}},
      {"same line at world z 0 misses it", line({5, -5, 0}, {5, 5, 0}), lwpoly({{0, 0, 0}, {-10, 0, 0}}, {}, false, 2, {0, 0, -1}), {}},
      {"circle: along it from angle 0", line({-10, 0, 0}, {10, 0, 0}), circle({0, 0, 0}, 5), {{5, 0, 0}, {-5, 0, 0}}},
      {"tangent to a circle", line({-10, 5, 0}, {10, 5, 0}), circle({0, 0, 0}, 5), {{0, 5, 0}}},
      {"arc keeps only its own part", line({-10, 0, 0}, {10, 0, 0}), arc({0, 0, 0}, 5, 0, 90), {{5, 0, 0}}},
      {"standing circle pierced", line({-5, 0, 5}, {5, 0, 5}), circle({0, 0, 0}, 5, {1, 0, 0}), {{0, 0, 5}}},
      {"standing circle passed through its middle", line({-5, 0, 0}, {5, 0, 0}), circle({0, 0, 0}, 5, {1, 0, 0}), {}},
      {"two circles", circle({0, 0, 0}, 5), circle({8, 0, 0}, 5), {{4, 3, 0}, {4, -3, 0}}},
      {"circles touching", circle({0, 0, 0}, 5), circle({10, 0, 0}, 5), {{5, 0, 0}}},
      {"arc against a standing circle", arc({0, 0, 0}, 5, 0, 180), circle({0, 0, 0}, 5, {1, 0, 0}), {{0, 5, 0}}},
      {"text has no outline", line({-10, 0, 0}, {10, 0, 0}), text({0, 0, 0}, "abc", 2), {}},
  };
  for (const auto& c : cases) {
    auto got = intersectWith(c.a, c.b);
    ASSERT_EQ(got.size(), c.expected.size()) << c.what << ": " << describe(got);
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_NEAR(got[i].x, c.expected[i].x, kEps) << c.what << " #" << i;
      EXPECT_NEAR(got[i].y, c.expected[i].y, kEps) << c.what << " #" << i;
      EXPECT_NEAR(got[i].z, c.expected[i].z, kEps) << c.what << " #" << i;
    }
  }
}

TEST(DrawingGeometry, IntersectionIsFoundAtSurveyMagnitudes) {
  const double e0 = 3512345.678, n0 = 412345.123;
  auto got = intersectWith(line({e0, n0 - 1, 0}, {e0, n0 + 1, 0}), lwpoly({{e0 - 1, n0, 0}, {e0, n0, 0}}));
  ASSERT_EQ(got.size(), 1u) << "a line through the polyline's last vertex";
  EXPECT_NEAR(got[0].x, e0, 1e-6);
  // Short of the polyline by less than the tolerance (about 3.5e-4 here): still a meeting.
  got = intersectWith(line({e0 - 0.5, n0 - 1, 0}, {e0 - 0.5, n0 - 1e-5, 0}), lwpoly({{e0 - 1, n0, 0}, {e0, n0, 0}}));
  ASSERT_EQ(got.size(), 1u) << "a line stopping 1e-5 short of the polyline";
}

TEST(DrawingGeometry, FenceCrossing) {
  struct Case { const char* what; Ucs ucs; std::vector<Vec3> fence; Entity entity; bool crossed; };
  // UCS whose XY plane is the world XZ plane.
  const Ucs standing{{0, 0, 0}, {1, 0, 0}, {0, 0, 1}};
  const Ucs turned{{100, 0, 0}, {0, 1, 0}, {-1, 0, 0}};
  const Case cases[] = {
      {"crossing", Ucs{}, {{0, 0, 0}, {10, 10, 0}}, line({0, 10, 0}, {10, 0, 0}), true},
      {"missing", Ucs{}, {{0, 0, 0}, {4, 4, 0}}, line({0, 10, 0}, {10, 0, 0}), false},
      {"height ignored in plan", Ucs{}, {{0, 0, 0}, {10, 10, 0}}, line({0, 10, 50}, {10, 0, 50}), true},
      {"fence end on the line", Ucs{}, {{0, 0, 0}, {5, 5, 0}}, line({0, 10, 0}, {10, 0, 0}), true},
      {"second leg crossing", Ucs{}, {{0, 0, 0}, {1, 0, 0}, {1, 10, 0}}, line({0, 5, 0}, {5, 5, 0}), true},
      {"no closing leg", Ucs{}, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, line({4, 6, 0}, {6, 4, 0}), false},
      {"a single fence point selects nothing", Ucs{}, {{5, 5, 0}}, line({0, 10, 0}, {10, 0, 0}), false},
      {"seen in a standing UCS", standing, {{0, 0, 0}, {10, 0, 10}}, line({0, 5, 10}, {10, 5, 0}), true},
      {"same entities in world plan", Ucs{}, {{0, 0, 0}, {10, 0, 10}}, line({0, 5, 10}, {10, 5, 0}), false},
      {"turned UCS keeps crossings", turned, {{0, 0, 0}, {10, 10, 0}}, line({0, 10, 0}, {10, 0, 0}), true},
      {"chord only: arc not crossed", Ucs{}, {{5, -1, 0}, {5, 1, 0}}, lwpoly({{0, 0, 0}, {10, 0, 0}}, {1}), false},
      {"arc crossed", Ucs{}, {{5, -6, 0}, {5, -4, 0}}, lwpoly({{0, 0, 0}, {10, 0, 0}}, {1}), true},
      {"fence inside a circle", Ucs{}, {{-1, 0, 0}, {1, 0, 0}}, circle({0, 0, 0}, 5), false},
      {"standing circle seen edge-on", Ucs{}, {{-1, 0, 0}, {1, 0, 0}}, circle({0, 0, 0}, 5, {1, 0, 0}), true},
      {"beside the edge-on circle", Ucs{}, {{-1, 6, 0}, {1, 6, 0}}, circle({0, 0, 0}, 5, {1, 0, 0}), false},
      {"point on the fence", Ucs{}, {{0, 0, 0}, {10, 0, 0}}, point({5, 0, 7}), true},
      {"point beside the fence", Ucs{}, {{0, 0, 0}, {10, 0, 0}}, point({5, 0.1, 0}), false},
      {"through a text box", Ucs{}, {{1, -1, 0}, {1, 3, 0}}, text({0, 0, 0}, "ABCD", 2), true},
      {"beyond the text", Ucs{}, {{6, -1, 0}, {6, 3, 0}}, text({0, 0, 0}, "ABCD", 2), false},
      {"fence wholly inside the text", Ucs{}, {{1, 0.5, 0}, {2, 0.5, 0}}, text({0, 0, 0}, "ABCD", 2), true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fenceCrosses(c.ucs, c.fence, c.entity), c.crossed) << c.what;
  }
}

Loop loopOf(std::vector<Vec3> points, std::vector<double> bulges = {}) {
  bulges.resize(points.size(), 0.0);
  return Loop{std::move(points), std::move(bulges)};
}

TEST(DrawingGeometry, LoopAreas) {
  struct Case { const char* what; Loop loop; double signedArea; };
  const std::vector<Vec3> square{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
  const std::vector<Vec3> clockwise{{0, 0, 0}, {0, 10, 0}, {10, 10, 0}, {10, 0, 0}};
  const Case cases[] = {
      {"square", loopOf(square), 100},
      {"square clockwise", loopOf(clockwise), -100},
      {"outward half circle on top", loopOf(square, {0, 0, 1, 0}), 100 + 12.5 * pi},
      {"inward half circle on top", loopOf(square, {0, 0, -1, 0}), 100 - 12.5 * pi},
      {"circle from two bulges", loopOf({{5, 0, 0}, {-5, 0, 0}}, {1, 1}), 25 * pi},
      {"circle, clockwise", loopOf({{5, 0, 0}, {-5, 0, 0}}, {-1, -1}), -25 * pi},
      {"clockwise square, outward arc", loopOf(clockwise, {0, -1, 0, 0}), -(100 + 12.5 * pi)},
      {"two points, no bulge", loopOf({{0, 0, 0}, {5, 5, 0}}), 0},
      {"one point", loopOf({{1, 1, 0}}), 0},
      {"no points", Loop{}, 0},
      {"far from the origin", loopOf({{1e6, 1e6, 0}, {1e6 + 10, 1e6, 0}, {1e6 + 10, 1e6 + 10, 0}, {1e6, 1e6 + 10, 0}}), 100},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(signedLoopArea(c.loop), c.signedArea, 1e-6) << c.what;
    EXPECT_NEAR(loopArea(c.loop), std::abs(c.signedArea), 1e-6) << c.what;
  }
}

}  // namespace
}  // namespace plotmate::sim
