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

Entity line(Vec3 a, Vec3 b) {
  Entity e;
  e.kind = EntityKind::Line;
  e.points = {a, b};
  return e;
}

Entity lwpoly(std::vector<Vec3> points, std::vector<double> bulges = {}, bool closed = false,
              double elevation = 0, Vec3 normal = {0, 0, 1}) {
  Entity e;
  e.kind = EntityKind::LwPolyline;
  bulges.resize(points.size(), 0.0);
  e.points = std::move(points);
  e.bulges = std::move(bulges);
  e.closed = closed;
  e.elevation = elevation;
  e.normal = normal;
  return e;
}

Entity poly3d(std::vector<Vec3> points, bool closed = false) {
  Entity e;
  e.kind = EntityKind::Polyline3d;
  e.points = std::move(points);
  e.closed = closed;
  return e;
}

Entity circle(Vec3 center, double radius, Vec3 normal = {0, 0, 1}) {
  Entity e;
  e.kind = EntityKind::Circle;
  e.points = {center};
  e.radius = radius;
  e.normal = normal;
  return e;
}

Entity arc(Vec3 center, double radius, double startDeg, double endDeg) {
  Entity e = circle(center, radius);
  e.kind = EntityKind::Arc;
  e.startAngle = startDeg * pi / 180;
  e.endAngle = endDeg * pi / 180;
  return e;
}

Entity point(Vec3 p) {
  Entity e;
  e.kind = EntityKind::Point;
  e.points = {p};
  return e;
}

Entity text(Vec3 p, std::string s, double height) {
  Entity e;
  e.kind = EntityKind::Text;
  e.points = {p};
  e.text = std::move(s);
  e.height = height;
  return e;
}

std::string describe(const std::vector<Vec3>& points) {
  std::string s;
  for (const Vec3& p : points) {
    s += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + "," + std::to_string(p.z) + ")";
  }
  return s;
}

TEST(DrawingGeometry, BulgeMakesArcOnTheRightSide) {
  struct Case {
    const char* what;
    double bulge;
    Vec3 normal;
    Vec3 center;
    double radius, sweep;
    Vec3 axis;
  };
  const double quarter = std::tan(pi / 8);  // a quarter turn
  const Case cases[] = {
      {"half turn counter-clockwise", 1, {0, 0, 1}, {5, 0, 0}, 5, pi, {0, 0, 1}},
      {"half turn clockwise", -1, {0, 0, 1}, {5, 0, 0}, 5, pi, {0, 0, -1}},
      {"quarter turn: centre left of the chord", quarter, {0, 0, 1}, {5, 5, 0}, std::sqrt(50.0), pi / 2, {0, 0, 1}},
      {"quarter turn clockwise: centre right", -quarter, {0, 0, 1}, {5, -5, 0}, std::sqrt(50.0), pi / 2, {0, 0, -1}},
      {"three-quarter turn: centre right", std::tan(3 * pi / 8), {0, 0, 1}, {5, -5, 0}, std::sqrt(50.0), 1.5 * pi, {0, 0, 1}},
  };
  for (const auto& c : cases) {
    const Piece p = bulgePiece({0, 0, 0}, {10, 0, 0}, c.bulge, c.normal);
    ASSERT_TRUE(p.isArc) << c.what;
    EXPECT_NEAR(p.center.x, c.center.x, kEps) << c.what;
    EXPECT_NEAR(p.center.y, c.center.y, kEps) << c.what;
    EXPECT_NEAR(p.radius, c.radius, kEps) << c.what;
    EXPECT_NEAR(p.sweep, c.sweep, kEps) << c.what;
    EXPECT_NEAR(p.normal.z, c.axis.z, kEps) << c.what;
  }
  EXPECT_FALSE(bulgePiece({0, 0, 0}, {10, 0, 0}, 0, {0, 0, 1}).isArc);
  EXPECT_FALSE(bulgePiece({1, 1, 0}, {1, 1, 0}, 1, {0, 0, 1}).isArc) << "no arc on a zero chord";
  EXPECT_FALSE(bulgePiece({0, 0, 0}, {10, 0, 0}, NAN, {0, 0, 1}).isArc);
}

TEST(DrawingGeometry, ShapesInWorldSpace) {
  // A polyline mirrored by its normal at elevation 2: OCS x runs along world -x,
  // and the elevation lies along the normal, so at world z = -2.
  auto mirrored = shapeOf(lwpoly({{0, 0, 0}, {-10, 0, 0}}, {}, false, 2, {0, 0, -1}));
  ASSERT_EQ(mirrored.size(), 1u);
  EXPECT_NEAR(mirrored[0].end.x, 10, kEps);
  EXPECT_NEAR(mirrored[0].end.z, -2, kEps);

  EXPECT_EQ(shapeOf(lwpoly({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {}, true)).size(), 3u) << "closing piece";
  EXPECT_EQ(shapeOf(lwpoly({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {}, false)).size(), 2u);
  EXPECT_EQ(shapeOf(poly3d({{0, 0, 0}})).size(), 1u) << "a lone vertex keeps its place";
  EXPECT_TRUE(shapeOf(circle({0, 0, 0}, 0)).empty()) << "no circle of radius 0";
  EXPECT_TRUE(shapeOf(text({0, 0, 0}, "x", 1)).empty());

  auto wholeTurn = shapeOf(arc({0, 0, 0}, 2, 30, 30));
  ASSERT_EQ(wholeTurn.size(), 1u);
  EXPECT_NEAR(wholeTurn[0].sweep, 2 * pi, kEps) << "equal angles make a whole turn";
  auto wrapping = shapeOf(arc({0, 0, 0}, 2, 350, 10));
  EXPECT_NEAR(wrapping[0].sweep, 20 * pi / 180, kEps);
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
}

TEST(DrawingGeometry, FenceCrossing) {
  struct Case {
    const char* what;
    Ucs ucs;
    std::vector<Vec3> fence;
    Entity entity;
    bool crossed;
  };
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

TEST(DrawingGeometry, PlanBounds) {
  struct Case {
    const char* what;
    Ucs ucs;
    Entity entity;
    Box2 expected;
  };
  const Ucs shifted{{10, 10, 0}, {1, 0, 0}, {0, 1, 0}};
  const Case cases[] = {
      {"line", Ucs{}, line({3, -1, 9}, {-2, 4, 0}), {-2, -1, 3, 4}},
      {"line in a shifted UCS", shifted, line({3, -1, 9}, {-2, 4, 0}), {-12, -11, -7, -6}},
      {"circle", Ucs{}, circle({1, 1, 0}, 2), {-1, -1, 3, 3}},
      {"quarter arc", Ucs{}, arc({0, 0, 0}, 5, 0, 90), {0, 0, 5, 5}},
      {"arc over the top", Ucs{}, arc({0, 0, 0}, 5, 45, 135), {-std::sqrt(12.5), std::sqrt(12.5), std::sqrt(12.5), 5}},
      {"bulge below", Ucs{}, lwpoly({{0, 0, 0}, {10, 0, 0}}, {1}), {0, -5, 10, 0}},
      {"point", Ucs{}, point({2, 3, 4}), {2, 3, 2, 3}},
  };
  for (const auto& c : cases) {
    auto box = planBounds(c.ucs, c.entity);
    ASSERT_TRUE(box.has_value()) << c.what;
    EXPECT_NEAR(box->minX, c.expected.minX, kEps) << c.what;
    EXPECT_NEAR(box->minY, c.expected.minY, kEps) << c.what;
    EXPECT_NEAR(box->maxX, c.expected.maxX, kEps) << c.what;
    EXPECT_NEAR(box->maxY, c.expected.maxY, kEps) << c.what;
  }
  EXPECT_FALSE(planBounds(Ucs{}, lwpoly({})).has_value());
  EXPECT_TRUE((Box2{0, 0, 1, 1}).overlaps({1, 1, 2, 2})) << "touching boxes overlap";
  EXPECT_FALSE((Box2{0, 0, 1, 1}).overlaps({1.5, 0, 2, 1}));
}

Loop loopOf(std::vector<Vec3> points, std::vector<double> bulges = {}) {
  bulges.resize(points.size(), 0.0);
  return Loop{std::move(points), std::move(bulges)};
}

TEST(DrawingGeometry, LoopAreas) {
  struct Case {
    const char* what;
    Loop loop;
    double signedArea;
  };
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

TEST(DrawingGeometry, PointInLoop) {
  struct Case {
    const char* what;
    double x, y;
    bool inside;
  };
  const std::vector<Vec3> square{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
  const Loop dome = loopOf(square, {0, 0, 1, 0});   // half circle above the top edge
  const Loop dent = loopOf(square, {0, 0, -1, 0});   // half circle cut into the top
  const Case domeCases[] = {
      {"middle", 5, 5, true},      {"inside the dome", 5, 12, true}, {"above the dome", 5, 16, false},
      {"beside the dome", 0.5, 14, false}, {"right of the square", 11, 5, false},
      {"on an edge", 10, 5, true}, {"on a vertex", 0, 0, true},     {"on the arc", 5, 15, true},
  };
  for (const auto& c : domeCases) EXPECT_EQ(pointInLoop(dome, c.x, c.y), c.inside) << "dome: " << c.what;
  const Case dentCases[] = {
      {"in the dent", 5, 7, false}, {"under the dent", 5, 4, true}, {"beside the dent", 9.9, 5.5, true},
      {"dent near its rim", 1, 9, false}, {"on the dent's arc", 5, 5, true},
  };
  for (const auto& c : dentCases) EXPECT_EQ(pointInLoop(dent, c.x, c.y), c.inside) << "dent: " << c.what;
  const Loop round = loopOf({{5, 0, 0}, {-5, 0, 0}}, {1, 1});
  EXPECT_TRUE(pointInLoop(round, 0, 0));
  EXPECT_TRUE(pointInLoop(round, 0, -4.9));
  EXPECT_FALSE(pointInLoop(round, 4, 4));
  EXPECT_FALSE(pointInLoop(Loop{}, 0, 0));
}

TEST(DrawingGeometry, PlanLoopsOfClosedOutlines) {
  const std::vector<Vec3> square{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
  // Drawn with its normal pointing down, the dome's square lies at world x
  // 0..-10 and its bulge must still bulge outwards.
  auto mirrored = planLoop(Ucs{}, lwpoly(square, {0, 0, 1, 0}, true, 0, {0, 0, -1}));
  ASSERT_TRUE(mirrored.has_value());
  EXPECT_NEAR(loopArea(*mirrored), 100 + 12.5 * pi, 1e-6);
  EXPECT_TRUE(pointInLoop(*mirrored, -5, 12));
  EXPECT_FALSE(pointInLoop(*mirrored, 5, 5));

  auto round = planLoop(Ucs{{1, 1, 0}, {1, 0, 0}, {0, 1, 0}}, circle({4, 5, 0}, 2));
  ASSERT_TRUE(round.has_value());
  EXPECT_NEAR(loopArea(*round), 4 * pi, 1e-9);
  EXPECT_TRUE(pointInLoop(*round, 3, 4)) << "centre in UCS coordinates";

  auto flat3d = planLoop(Ucs{}, poly3d({{0, 0, 2}, {4, 0, 2}, {4, 3, 2}}, true));
  ASSERT_TRUE(flat3d.has_value());
  EXPECT_NEAR(loopArea(*flat3d), 6, 1e-9);

  EXPECT_FALSE(planLoop(Ucs{}, lwpoly(square, {}, false)).has_value()) << "open";
  EXPECT_FALSE(planLoop(Ucs{}, lwpoly(square, {}, true, 0, {1, 0, 0})).has_value()) << "standing";
  EXPECT_FALSE(planLoop(Ucs{}, poly3d({{0, 0, 0}, {4, 0, 1}, {4, 3, 2}}, true)).has_value()) << "not flat";
  EXPECT_FALSE(planLoop(Ucs{}, line({0, 0, 0}, {1, 1, 0})).has_value());
}

}  // namespace
}  // namespace plotmate::sim
