// Picks on the drawing stand-in: queued answers for GetPoint, GetEntity and
// SelectOnScreen, the host's failures, the pick box and the prompt log.

#include <gtest/gtest.h>

#include "acad_test_support.h"
#include "sim/drawing/acad_errors.h"
#include "sim/drawing/pick_queue.h"

namespace plotmate::sim {
namespace {

using testing::attachHost;
using testing::makeLine;
using testing::numbers;

TEST(AcadPicks, GetEntityWritesBothOutputsOnlyWhenSomethingIsPicked) {
  auto host = attachHost();
  auto& session = host.session();
  std::string line = session.drawing.add(makeLine({0, 0, 0}, {10, 0, 0}));
  std::string far = session.drawing.add(makeLine({0, 50, 0}, {10, 50, 0}));

  struct Case {
    const char* name;
    PickAnswer answer;
    std::string handle;  // empty: the call fails
    std::vector<double> point;
    std::int32_t code = 0;
  };
  const Case cases[] = {
      {"by a point on it", PickAnswer::at({5, 0.2, 0}), line, {5, 0.2, 0}},
      {"by handle", PickAnswer::entity(far), far, {0, 50, 0}},
      {"empty space", PickAnswer::at({5, 25, 0}), "", {}, hr::kException},
      {"cancel", PickAnswer::cancel(), "", {}, hr::kException},
      {"Enter", PickAnswer::enter(), "", {}, acad::kUserInputIsKeyword},
      {"a handle that does not exist", PickAnswer::entity("FFFF"), "", {}, hr::kException},
      {"a selection where one entity is asked", PickAnswer::selection({line}), "", {}, hr::kException},
  };
  for (const auto& c : cases) {
    session.picks.push(c.answer);
    std::vector<Variant> args{outputObject(), outputVariant(), Variant("Pick point:")};
    auto r = host.utility->invoke("GetEntity", CallKind::Method, args);
    if (c.handle.empty()) {
      ASSERT_FALSE(r) << c.name;
      EXPECT_EQ(r.error().code, c.code) << c.name;
      EXPECT_EQ(args[0], outputObject()) << c.name;
      EXPECT_EQ(args[1], outputVariant()) << c.name;
      continue;
    }
    ASSERT_TRUE(r) << c.name << ": " << r.error().description;
    auto picked = asObject(args[0]);
    ASSERT_TRUE(picked) << c.name;
    EXPECT_EQ(*picked->get("Handle"), Variant(c.handle)) << c.name;
    EXPECT_EQ(numbers(args[1]), c.point) << c.name;
  }
  EXPECT_EQ(session.picks.pending(), 0u);
}

TEST(AcadPicks, FailuresSpeakTheHostsWords) {
  auto host = attachHost();
  auto r = host.utility->call("GetEntity", {outputObject(), outputVariant(), Variant("Select text:")});
  ASSERT_FALSE(r);
  EXPECT_EQ(r.error().description, "Method 'GetEntity' of object 'IAcadUtility' failed");
  auto p = host.utility->call("GetPoint", {Missing{}, Variant("Start point: ")});
  ASSERT_FALSE(p);
  EXPECT_EQ(p.error().description, "Method 'GetPoint' of object 'IAcadUtility' failed");

  const auto& log = host.session().picks.log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].prompt, "Select text:");
  EXPECT_EQ(log[0].outcome, "no answer queued");
  EXPECT_EQ(log[1].method, "GetPoint");
  EXPECT_EQ(log[1].prompt, "Start point: ");
}

TEST(AcadPicks, GetPointAnswersInWorldCoordinatesWhateverTheUcs) {
  auto host = attachHost();
  auto& session = host.session();
  session.drawing.ucs = {{10, 10, 0}, {0, 1, 0}, {-1, 0, 0}};
  session.picks.push(PickAnswer::at({1, 2, 3}));
  session.picks.push(PickAnswer::at({4, 5, 6}));
  session.picks.push(PickAnswer::cancel());
  auto first = host.utility->call("GetPoint", {Missing{}, Variant("Start point: ")});
  ASSERT_TRUE(first);
  EXPECT_EQ(numbers(*first), (std::vector<double>{1, 2, 3}));
  auto second = host.utility->call("GetPoint", {*first, Variant("End point: ")});
  ASSERT_TRUE(second);
  EXPECT_EQ(numbers(*second), (std::vector<double>{4, 5, 6}));
  EXPECT_FALSE(host.utility->call("GetPoint", {Missing{}, Variant("Start point: ")}));
  // A base point that is no point is refused before any answer is taken.
  session.picks.push(PickAnswer::at({0, 0, 0}));
  EXPECT_FALSE(host.utility->call("GetPoint", {Variant(1.0), Variant("x")}));
  EXPECT_EQ(session.picks.pending(), 1u);
  std::vector<std::string> outcomes;
  for (const auto& r : session.picks.log()) outcomes.push_back(r.outcome);
  EXPECT_EQ(outcomes, (std::vector<std::string>{"point 1,2,3", "point 4,5,6", "cancel"}));
}

TEST(AcadPicks, AnEmptyQueueAsksTheFallbackWhenThereIsOne) {
  auto host = attachHost();
  auto& picks = host.session().picks;
  std::vector<std::string> asked;
  picks.setFallback([&](const std::string& method, const std::string& prompt) -> std::optional<PickAnswer> {
    asked.push_back(method + " " + prompt);
    if (asked.size() == 1) return PickAnswer::at({9, 9, 0});
    return std::nullopt;
  });
  picks.push(PickAnswer::at({1, 1, 0}));
  std::vector<std::vector<double>> got;
  for (int i = 0; i < 3; ++i) {
    auto r = host.utility->call("GetPoint", {Missing{}, Variant("P:")});
    got.push_back(r ? numbers(*r) : std::vector<double>{});
  }
  EXPECT_EQ(got, (std::vector<std::vector<double>>{{1, 1, 0}, {9, 9, 0}, {}}));
  EXPECT_EQ(asked, (std::vector<std::string>{"GetPoint P:", "GetPoint P:"}));
}

TEST(AcadPicks, TheNearestEntityUnderThePickBoxWins) {
  struct Case {
    const char* name;
    Vec3 click;
    int expected;  // index into the handles below; -1 for none
  };
  const Case cases[] = {
      {"nearer of two lines", {5, 0.2, 0}, 1},
      {"on the first line", {5, 0.01, 0}, 0},
      {"equally near: the newer", {5, 0.15, 0}, 1},
      {"outside the box", {5, 3, 0}, -1},
      {"at a circle's rim", {22, 0, 0}, 2},
      {"inside the circle, off its rim", {20, 0, 0}, -1},
      {"a point entity", {40.1, 0, 0}, 3},
  };
  DrawingSession session;
  std::vector<std::string> handles = {
      session.drawing.add(makeLine({0, 0, 0}, {10, 0, 0})),
      session.drawing.add(makeLine({0, 0.3, 0}, {10, 0.3, 0})),
      session.drawing.add(testing::makeCircle({20, 0, 0}, 2)),
  };
  Entity point;
  point.kind = EntityKind::Point;
  point.points = {{40, 0, 0}};
  handles.push_back(session.drawing.add(point));
  for (const auto& c : cases) {
    auto hit = entityAt(session.drawing, c.click, kDefaultPickAperture);
    if (c.expected < 0) {
      EXPECT_FALSE(hit) << c.name;
    } else {
      ASSERT_TRUE(hit) << c.name;
      EXPECT_EQ(*hit, handles[static_cast<std::size_t>(c.expected)]) << c.name;
    }
  }
}

TEST(AcadPicks, TextIsPickedInsideItsBox) {
  DrawingSession session;
  Entity text;
  text.kind = EntityKind::Text;
  text.points = {{0, 0, 0}};
  text.height = 2.5;
  text.text = "STATION";
  std::string handle = session.drawing.add(text);
  auto hit = entityAt(session.drawing, {1, 1, 0}, kDefaultPickAperture);
  ASSERT_TRUE(hit);
  EXPECT_EQ(*hit, handle);
}

TEST(AcadPicks, SelectOnScreenAddsWhatTheUserSelects) {
  auto host = attachHost();
  auto& session = host.session();
  std::string a = session.drawing.add(makeLine({0, 0, 0}, {10, 0, 0}));
  std::string b = session.drawing.add(testing::makeCircle({20, 0, 0}, 2));
  auto set = *callObject(*host.selectionSets, "Add", {Variant("ss")});

  struct Case { const char* name; PickAnswer answer; std::vector<Variant> filter; bool succeeds; std::int32_t count; };
  const Case cases[] = {
      {"two picked", PickAnswer::selection({b, a}), {}, true, 2},
      {"filtered to lines", PickAnswer::selection({b, a}), {Variant(VariantList{Variant(std::int16_t{0})}), Variant(VariantList{Variant("LINE")})}, true, 1},
      {"a click on the circle", PickAnswer::at({22, 0, 0}), {}, true, 1},
      {"Enter at once", PickAnswer::enter(), {}, true, 0},
      {"cancel", PickAnswer::cancel(), {}, false, 0},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(set->call("Clear"));
    session.picks.push(c.answer);
    auto r = set->call("SelectOnScreen", c.filter);
    EXPECT_EQ(r.has_value(), c.succeeds) << c.name;
    EXPECT_EQ(*set->get("Count"), Variant(c.count)) << c.name;
  }
  // The order of the selection is kept: the circle was picked first.
  ASSERT_TRUE(set->call("Clear"));
  session.picks.push(PickAnswer::selection({b, a}));
  ASSERT_TRUE(set->call("SelectOnScreen"));
  auto first = *callObject(*set, "Item", {Variant(std::int16_t{0})});
  EXPECT_EQ(*first->get("ObjectName"), Variant("AcDbCircle"));
}

}  // namespace
}  // namespace plotmate::sim
