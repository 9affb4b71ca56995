#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sim/drawing/spatial_index.h"
#include "sim/drawing/type_filter.h"

namespace plotmate::sim {
namespace {

TEST(DrawingTypeFilter, WildcardsAsSelectionFiltersTakeThem) {
  struct Case { const char* pattern; const char* name; bool matches; };
  const Case cases[] = {
      {"Line", "LINE", true},
      {"line", "LINE", true},
      {"LINE", "LWPOLYLINE", false},
      {"*LINE", "LWPOLYLINE", true},
      {"*LINE", "LINE", true},
      {"L*E", "LINES", false},
      {"L*E", "LE", true},
      {"LINE,ARC", "ARC", true},
      {"LINE,ARC", "CIRCLE", false},
      {"~LINE", "ARC", true},
      {"~LINE", "line", false},
      {"LINE,~ARC", "CIRCLE", true},
      {"?INE", "LINE", true},
      {"?NE", "LINE", false},
      {"#", "7", true},
      {"#", "A", false},
      {"@@", "AB", true},
      {"@@", "A1", false},
      {"A.B", "A-B", true},
      {"A.B", "A1B", false},
      {"[AL]INE", "LINE", true},
      {"[al]ine", "LINE", true},
      {"[~AL]INE", "LINE", false},
      {"[A-M]INE", "LINE", true},
      {"[N-Z]INE", "LINE", false},
      {"[,]", ",", true},
      {"`*U2", "*U2", true},
      {"`*U2", "AU2", false},
      {"`,", ",", true},
      {"*", "", true},
      {"", "", true},
      {"", "LINE", false},
      {"[AB", "[AB", true},
      {"图?", "图层", true},
      {"图?", "图层1", false},
      {"*A*A*A*A*B", "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", false},
      {"?", "\xff", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(matchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " / " << c.name;
  }
}

TEST(DrawingTypeFilter, EntityKindsByTheirFileTypeNames) {
  struct Case { const char* pattern; EntityKind kind; bool matches; };
  const Case cases[] = {
      {"Line", EntityKind::Line, true},
      {"Line", EntityKind::LwPolyline, false},
      {"Line", EntityKind::Polyline3d, false},
      {"polyline", EntityKind::Polyline2d, true},
      {"polyline", EntityKind::Polyline3d, true},
      {"LWPOLYLINE", EntityKind::LwPolyline, true},
      {"INSERT", EntityKind::BlockRef, true},
      {"*TEXT", EntityKind::MText, true},
      {"REGION", EntityKind::Region, true},
  };
  for (const auto& c : cases) EXPECT_EQ(matchesTypeFilter(c.pattern, c.kind), c.matches) << c.pattern;
}

Entity line(Vec3 a, Vec3 b) { return {.kind = EntityKind::Line, .points = {a, b}}; }
Entity circle(Vec3 c, double r) { return {.kind = EntityKind::Circle, .points = {c}, .radius = r}; }

// Which entities a fence selects, in which order, under which filter, is
// checked by the golden scenarios drawing_fence_*. Here, a deterministic
// scatter of lines, circles, a few drawing-wide lines and some erased ones:
// the grid must find exactly what testing every entity finds.
TEST(DrawingFence, IndexFindsWhatTestingEveryEntityFinds) {
  std::uint64_t state = 12345;
  auto next = [&] {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<double>(state >> 11) / 9007199254740992.0;
  };
  Drawing d;
  for (int i = 0; i < 2000; ++i) {
    const double x = next() * 1000, y = next() * 400;
    if (i % 7 == 0) {
      d.add(circle({x, y, 0}, 1 + next() * 5));
    } else if (i % 500 == 0) {
      d.add(line({-50, y, 0}, {1050, 400 - y, 0}));  // spans the drawing
    } else {
      const Vec3 from{x, y, next() * 10}, to{x + next() * 20 - 10, y + next() * 20 - 10, 0};
      const std::string handle = d.add(line(from, to));
      if (i % 13 == 0) d.erase(handle);  // gone from the index too
    }
  }
  d.add(line({500, 200, 0}, {500, 200, 0}));  // a line of no length
  std::vector<Vec3> fence;
  for (int i = 0; i < 40; ++i) fence.push_back({next() * 1100 - 50, next() * 500 - 50, 0});
  fence.push_back({fence.back().x + 300, fence.back().y, 0});  // a level leg
  fence.push_back({fence.back().x, fence.back().y - 300, 0});  // an upright leg
  fence.push_back({500, 200, 0});

  for (const Ucs& ucs : {Ucs{}, Ucs{{100, -20, 3}, {0.6, 0.8, 0}, {-0.8, 0.6, 0}}}) {
    std::vector<std::string> expected;
    for (const Entity* e : d.entities()) {
      if (fenceCrosses(ucs, fence, *e)) expected.push_back(e->handle);
    }
    ASSERT_GT(expected.size(), 50u) << "the scatter must give the index work";
    EXPECT_EQ(selectByFence(d, ucs, fence, std::nullopt), expected);
    EXPECT_TRUE(selectByFence(d, ucs, std::span(fence).first(1), std::nullopt).empty());
  }
}

}  // namespace
}  // namespace plotmate::sim
