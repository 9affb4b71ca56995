// The stand-ins posing as the compatible programs, and the facades' way
// around what those programs do differently.

#include <gtest/gtest.h>

#include "hosts/acad.h"
#include "hosts/excel.h"
#include "sim/host_profile.h"
#include "tests/native/acad_test_support.h"

namespace plotmate::sim::testing {
namespace {

// The handles of the set's entities, in the set's order.
std::vector<std::string> handlesIn(const AcadSelectionSet& set) {
  std::vector<std::string> handles;
  for (std::int32_t i = 0; i < set.count().value_or(0); ++i)
    if (auto entity = set.item(i)) handles.push_back(entity->handle().value_or("?"));
  return handles;
}

// A program that refuses filter codes gets the fence again without them,
// and the set keeps the lines alone, in the host's order: what the filter
// would have given.
TEST(HostProfiles, FenceForLinesGivesTheSameSetWhereFiltersAreRefused) {
  std::vector<std::string> expected;
  for (const char* id : {"autocad", "gstarcad"}) {
    auto a = attachHost();
    a.host.context->profile = findProfile(id);
    auto& drawing = a.session().drawing;
    const std::string first = drawing.add(makeLine({1, -5, 0}, {1, 5, 0}));
    drawing.add(makeCircle({3, 0, 0}, 1));
    drawing.add(makePolyline(EntityKind::LwPolyline, {{5, -5, 0}, {5, 5, 0}}));
    const std::string second = drawing.add(makeLine({7, 5, 0}, {7, -5, 0}));
    drawing.add(makeLine({20, 5, 0}, {20, -5, 0}));  // beyond the fence
    AcadSelectionSet set(*getObject(*a.selectionSets, "Add", {std::string("SSET")}));
    ASSERT_TRUE(set.selectByPolygon(kSelectFence, {0, 0, 0, 10, 0, 0}, 0, "Line")) << id;
    EXPECT_EQ(handlesIn(set), (std::vector<std::string>{first, second})) << id;
  }
}

// Other filters are not made again: the refusal stands.
TEST(HostProfiles, OtherRefusedFiltersStayRefused) {
  auto a = attachHost();
  a.host.context->profile = findProfile("gstarcad");
  a.session().drawing.add(makeCircle({3, 0, 0}, 1));
  AcadSelectionSet set(*getObject(*a.selectionSets, "Add", {std::string("SSET")}));
  EXPECT_FALSE(set.selectByPolygon(kSelectFence, {0, 0, 0, 10, 0, 0}, 0, "Circle"));
  EXPECT_EQ(set.count().value_or(-1), 0);
}

TEST(HostProfiles, PoseAsTheirProgram) {
  const struct { const char* id; const char* document; const char* title; bool found; } cases[] = {
      {"autocad", "plan.dxf", "Autodesk AutoCAD 2024 - [plan.dwg]", true},
      {"autocad-old", "Drawing1.dwg", "AutoCAD 2008 - [Drawing1.dwg]", true},
      {"excel", "Book1.csv", "Book1 - Excel", true},
      {"excel-old", "Book1.csv", "Microsoft Excel - Book1", true},
      {"wps", "表.csv", "表 - WPS 表格", true},
      {"wps-office", "Book1.csv", "WPS Office", true},
      {"lotus", "Book1.csv", "", false},
  };
  for (const auto& c : cases) {
    const HostProfile* profile = findProfile(c.id);
    ASSERT_EQ(profile != nullptr, c.found) << c.id;
    if (profile) {
      EXPECT_EQ(windowTitle(*profile, c.document), c.title) << c.id;
    }
  }
  auto a = attachHost();
  a.host.context->profile = findProfile("intellicad");
  auto translated = a.utility->call("TranslateCoordinates", {fromDoubles(std::vector<double>{0, 0, 0}),
                                                             std::int16_t(0), std::int16_t(1), false});
  ASSERT_FALSE(translated) << "a member the program lacks";
  EXPECT_EQ(translated.error().code, hr::kUnknownName);
}

// A range whose Value answers what the host gave.
class AnsweredRange final : public Dispatch {
 public:
  explicit AnsweredRange(Variant answer) : answer_(std::move(answer)) {}
  Result<Variant> invoke(std::string_view, CallKind, std::span<Variant>) override { return answer_; }

 private:
  Variant answer_;
};

// Values numbered row by row across the array the host answered.
Variant numberedGrid(std::size_t rows, std::size_t columns) {
  VariantGrid grid(rows, columns);
  for (std::size_t i = 0; i < grid.cells.size(); ++i) grid.cells[i] = static_cast<double>(i);
  return grid;
}

// Only the cells asked for are taken from a larger array; a smaller one is refused.
TEST(HostProfiles, RangeValuesAreSizedFromTheArraysOwnBounds) {
  const struct { Variant answer; std::size_t rows, columns; std::vector<double> taken; } cases[] = {
      {numberedGrid(2, 2), 2, 2, {0, 1, 2, 3}},
      {numberedGrid(3, 3), 2, 2, {0, 1, 3, 4}},
      {numberedGrid(5, 2), 1, 2, {0, 1}},
      {numberedGrid(2, 3), 3, 1, {}},
      {numberedGrid(3, 1), 3, 2, {}},
      {7.0, 1, 1, {7}},
      {7.0, 2, 1, {}},
  };
  for (const auto& c : cases) {
    ExcelRange range(std::make_shared<AnsweredRange>(c.answer));
    auto values = range.values(c.rows, c.columns);
    const std::string label = describe(c.answer) + " as " + std::to_string(c.rows) + " x " + std::to_string(c.columns);
    ASSERT_EQ(values.has_value(), !c.taken.empty()) << label;
    if (!values) continue;
    ASSERT_EQ(values->rows * values->columns, c.taken.size()) << label;
    for (std::size_t i = 0; i < c.taken.size(); ++i) EXPECT_EQ(values->cells[i], Variant(c.taken[i])) << label;
  }
}

}  // namespace
}  // namespace plotmate::sim::testing
