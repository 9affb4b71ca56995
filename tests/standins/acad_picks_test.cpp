// Picks on the drawing stand-in: queued answers for GetPoint, GetEntity and
// SelectOnScreen, the host's failures, the pick box and the prompt log.

#include <gtest/gtest.h>

#include "tests/native/acad_test_support.h"
#include "sim/drawing/pick_queue.h"

namespace plotmate::sim {
namespace {

using testing::attachHost;
using testing::makeLine;
using testing::numbers;

// What each answer gives is checked by the golden scenario
// tests/scenarios/drawing_get_entity; here, the by-reference outputs.
TEST(AcadPicks, GetEntityWritesBothOutputsOnlyWhenSomethingIsPicked) {
  auto host = attachHost();
  auto& session = host.session();
  std::string line = session.drawing.add(makeLine({0, 0, 0}, {10, 0, 0}));
  for (const PickAnswer& answer : {PickAnswer::at({5, 0.2, 0}), PickAnswer::cancel()}) {
    session.picks.push(answer);
    std::vector<Variant> args{outputObject(), outputVariant(), Variant("Pick point:")};
    const bool picked = host.utility->invoke("GetEntity", CallKind::Method, args).has_value();
    EXPECT_EQ(picked, answer.kind == PickAnswer::Kind::Point);
    if (!picked) {
      EXPECT_EQ(args[0], outputObject());
      EXPECT_EQ(args[1], outputVariant());
      continue;
    }
    EXPECT_EQ(*asObject(args[0])->get("Handle"), Variant(line));
    EXPECT_EQ(numbers(args[1]), (std::vector<double>{5, 0.2, 0}));
  }
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
