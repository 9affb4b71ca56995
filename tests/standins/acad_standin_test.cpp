// The drawing stand-in behind Dispatch: attachment, selection sets, fence
// selection, entity members, regions, faults and the call log.

#include <gtest/gtest.h>

#include <numbers>

#include "tests/native/acad_test_support.h"
#include "sim/drawing/acad_errors.h"
#include "sim/drawing/pick_queue.h"

namespace plotmate::sim {
namespace {

using testing::attachHost;
using testing::makeCircle;
using testing::makeLine;
using testing::makePolyline;
using testing::makeSquare;
using testing::numbers;

Variant doubles(std::vector<double> values) { return fromDoubles(values); }

Variant typeFilterCodes() { return VariantList{Variant(std::int16_t{0})}; }
Variant typeFilterValues(const char* type) { return VariantList{Variant(type)}; }

TEST(AcadStandIn, AttachesLikeTheRealHostWithNamesInAnyCase) {
  auto host = makeAcadStandIn();
  auto& app = *host.application;
  ASSERT_TRUE(app.put("visible", Variant(true)));
  EXPECT_EQ(*app.get("Visible"), Variant(true));
  auto doc = getObject(app, "ACTIVEDOCUMENT");
  ASSERT_TRUE(doc);
  auto ms = getObject(**doc, "modelspace");
  ASSERT_TRUE(ms);
  EXPECT_EQ(*(*ms)->get("Count"), Variant(std::int32_t{0}));
  EXPECT_TRUE(app.get("HWND"));
  // The same collection object on every read.
  EXPECT_EQ(*getObject(**doc, "Utility"), *getObject(**doc, "utility"));
  auto unknown = app.get("NoSuchThing");
  ASSERT_FALSE(unknown);
  EXPECT_EQ(unknown.error().code, hr::kUnknownName);
}

TEST(AcadStandIn, SelectionSetsFailAsTheHostDoes) {
  auto host = attachHost();
  auto& sets = *host.selectionSets;
  auto absent = sets.call("Item", {Variant("SSET")});
  ASSERT_FALSE(absent);
  EXPECT_EQ(absent.error().code, acad::kKeyNotFound);
  EXPECT_EQ(absent.error().description, "Key not found");

  auto created = callObject(sets, "Add", {Variant("SSET")});
  ASSERT_TRUE(created);
  auto again = sets.call("Add", {Variant("sset")});
  ASSERT_FALSE(again);
  EXPECT_EQ(again.error().code, acad::kDuplicateRecordName);
  EXPECT_EQ(*sets.get("Count"), Variant(std::int32_t{1}));

  auto found = callObject(sets, "Item", {Variant("Sset")});
  ASSERT_TRUE(found);
  EXPECT_EQ(*(*found)->get("Name"), Variant("SSET"));
  EXPECT_TRUE(callObject(sets, "Item", {Variant(std::int16_t{0})}));

  ASSERT_TRUE((*created)->call("Delete"));
  EXPECT_FALSE(sets.call("Item", {Variant("SSET")}));
  // Objects kept from before fail; a new set of the same name is another set.
  EXPECT_FALSE((*found)->get("Count"));
  auto renewed = callObject(sets, "Add", {Variant("SSET")});
  ASSERT_TRUE(renewed);
  EXPECT_FALSE((*found)->get("Count"));
  EXPECT_TRUE((*renewed)->get("Count"));
}

// A polyline crossed by two lines and a circle, and a line far away.
void addCrossingDrawing(Drawing& d) {
  d.add(makePolyline(EntityKind::LwPolyline, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}));
  d.add(makeLine({5, -5, 0}, {5, 5, 0}));
  d.add(makeCircle({10, 5, 0}, 1));
  d.add(makeLine({5, 5, 0}, {15, 5, 0}));
  d.add(makeLine({50, 50, 0}, {60, 60, 0}));
}

// Which entities a fence and a filter select is checked by the golden
// scenarios tests/scenarios/drawing_fence_*; here, RemoveItems.
TEST(AcadStandIn, RemoveItemsTakesOnlyWhatTheSetHolds) {
  auto host = attachHost();
  addCrossingDrawing(host.session().drawing);
  auto set = *callObject(*host.selectionSets, "Add", {Variant("SSET")});
  Variant fence = doubles({0, 0, 0, 10, 0, 0, 10, 10, 0});

  // The picked polyline is not among the lines: removing it changes nothing.
  auto polyline = *callObject(*host.modelSpace, "Item", {Variant(std::int16_t{0})});
  ASSERT_TRUE(set->call("Clear"));
  ASSERT_TRUE(set->call("SelectByPolygon", {Variant(std::int16_t{2}), fence, typeFilterCodes(), typeFilterValues("Line")}));
  EXPECT_TRUE(set->call("RemoveItems", {Variant(VariantList{Variant(polyline)})}));
  EXPECT_EQ(*set->get("Count"), Variant(std::int32_t{2}));
  auto lineA = *callObject(*set, "Item", {Variant(std::int16_t{0})});
  EXPECT_TRUE(set->call("RemoveItems", {Variant(VariantList{Variant(lineA)})}));
  EXPECT_EQ(*set->get("Count"), Variant(std::int32_t{1}));
  EXPECT_FALSE(set->call("Item", {Variant(std::int16_t{1})}));
}

TEST(AcadStandIn, PolygonModesAndBadArguments) {
  auto host = attachHost();
  auto& d = host.session().drawing;
  std::string inside = d.add(makeCircle({5, 5, 0}, 1));
  std::string crossing = d.add(makeLine({5, 5, 0}, {20, 5, 0}));
  d.add(makeCircle({50, 50, 0}, 1));
  auto set = *callObject(*host.selectionSets, "Add", {Variant("P")});
  Variant square = doubles({0, 0, 0, 10, 0, 0, 10, 10, 0, 0, 10, 0});

  struct Case {
    const char* name;
    std::int16_t mode;
    Variant points;
    bool succeeds;
    std::vector<std::string> selected;
  };
  const Case cases[] = {
      {"window polygon", 6, square, true, {inside}},
      {"crossing polygon", 7, square, true, {inside, crossing}},
      {"not a polygon mode", 0, square, false, {}},
      {"fence of one point", 2, doubles({0, 0, 0}), false, {}},
      {"ragged point list", 2, doubles({0, 0, 0, 1}), false, {}},
      {"polygon of two points", 6, doubles({0, 0, 0, 1, 1, 0}), false, {}},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(set->call("Clear"));
    EXPECT_EQ(set->call("SelectByPolygon", {Variant(c.mode), c.points}).has_value(), c.succeeds) << c.name;
    std::vector<std::string> got;
    for (std::int16_t i = 0; i < *asDouble(*set->get("Count")); ++i)
      got.push_back(*(*callObject(*set, "Item", {Variant(i)}))->get("Handle")->getIf<std::string>());
    EXPECT_EQ(got, c.selected) << c.name;
  }
}

TEST(AcadStandIn, PolylineCoordinatesHaveTheHostsShapes) {
  auto host = attachHost();
  auto& d = host.session().drawing;
  d.add({.kind = EntityKind::LwPolyline, .points = {{1, 2, 0}, {3, 4, 0}}, .bulges = {0, 0}, .elevation = 5});
  d.add({.kind = EntityKind::Polyline2d, .points = {{1, 2, 0}, {3, 4, 0}}, .bulges = {0, 0}, .elevation = 7});
  d.add(makePolyline(EntityKind::Polyline3d, {{1, 2, 3}, {4, 5, 6}}));
  d.add(makeLine({0, 0, 0}, {1, 1, 1}));

  struct Case {
    int item;
    const char* objectName;
    std::vector<double> coordinates;
    std::vector<double> second;  // Coordinate(1)
  };
  const Case cases[] = {
      {0, "AcDbPolyline", {1, 2, 3, 4}, {3, 4}},
      {1, "AcDb2dPolyline", {1, 2, 7, 3, 4, 7}, {3, 4, 7}},
      {2, "AcDb3dPolyline", {1, 2, 3, 4, 5, 6}, {4, 5, 6}},
  };
  for (const auto& c : cases) {
    auto e = *callObject(*host.modelSpace, "Item", {Variant(std::int16_t(c.item))});
    EXPECT_EQ(*e->get("ObjectName"), Variant(c.objectName));
    EXPECT_EQ(numbers(*e->get("Coordinates")), c.coordinates) << c.objectName;
    EXPECT_EQ(numbers(*e->get("Coordinate", {Variant(std::int16_t{1})})), c.second) << c.objectName;
    EXPECT_FALSE(e->get("Coordinate", {Variant(std::int16_t{2})})) << c.objectName;
    EXPECT_FALSE(e->get("Coordinate", {Variant(std::int16_t{-1})})) << c.objectName;
  }
  auto lwObject = *callObject(*host.modelSpace, "Item", {Variant(std::int16_t{0})});
  EXPECT_EQ(*lwObject->get("Elevation"), Variant(5.0));
  EXPECT_EQ(numbers(*lwObject->get("Normal")), (std::vector<double>{0, 0, 1}));
  auto line = *callObject(*host.modelSpace, "Item", {Variant(std::int16_t{3})});
  auto none = line->get("Coordinates");
  ASSERT_FALSE(none);
  EXPECT_EQ(none.error().code, hr::kUnknownName);
  EXPECT_EQ(numbers(*line->get("startpoint")), (std::vector<double>{0, 0, 0}));
  EXPECT_EQ(numbers(*line->get("endPoint")), (std::vector<double>{1, 1, 1}));
}

TEST(AcadStandIn, PolylinesOfTooFewOrRaggedVerticesAreRefused) {
  struct Case { const char* method; std::vector<double> values; bool accepted; };
  const Case cases[] = {
      {"AddLightWeightPolyline", {}, false},
      {"AddLightWeightPolyline", {1, 2}, false},
      {"AddLightWeightPolyline", {1, 2, 3}, false},
      {"AddLightWeightPolyline", {0, 0, 1, 1}, true},
      {"Add3DPoly", {0, 0, 0}, false},
      {"Add3DPoly", {0, 0, 0, 1, 1}, false},
      {"Add3DPoly", {0, 0, 0, 1, 1, 1}, true},
      {"AddPolyline", {0, 0, 0, 1, 1, 0}, true},
  };
  for (const auto& c : cases) {
    auto host = attachHost();
    auto r = host.modelSpace->call(c.method, {doubles(c.values)});
    EXPECT_EQ(r.has_value(), c.accepted) << c.method << " " << c.values.size();
    EXPECT_EQ(host.session().drawing.size(), c.accepted ? 1u : 0u) << c.method;
    if (!r) {
      EXPECT_EQ(r.error().code, hr::kInvalidArg);
      EXPECT_NE(r.error().description.find(c.method), std::string::npos);
    }
  }
}

TEST(AcadStandIn, DeletedEntitiesFailCleanlyAndComeBackWithUndo) {
  auto host = attachHost();
  auto& session = host.session();
  std::string handle = session.drawing.add(makeLine({0, 0, 0}, {1, 0, 0}));
  session.drawing.add(makeLine({0, 1, 0}, {1, 1, 0}));
  session.picks.push(PickAnswer::entity(handle));
  std::vector<Variant> args{outputObject(), outputVariant(), Variant("Pick point:")};
  ASSERT_TRUE(host.utility->invoke("GetEntity", CallKind::Method, args));
  auto picked = asObject(args[0]);
  auto other = *callObject(*host.modelSpace, "Item", {Variant(std::int16_t{1})});

  ASSERT_TRUE(picked->call("Delete"));
  for (const char* member : {"ObjectName", "Handle", "StartPoint"}) {
    auto r = picked->get(member);
    ASSERT_FALSE(r) << member;
    EXPECT_EQ(r.error().description, "Object was erased") << member;
  }
  EXPECT_FALSE(picked->call("Delete"));
  EXPECT_EQ(*other->get("ObjectName"), Variant("AcDbLine"));
  EXPECT_EQ(*host.modelSpace->get("Count"), Variant(std::int32_t{1}));

  ASSERT_TRUE(host.document->call("SendCommand", {Variant("u\r")}));
  EXPECT_EQ(*picked->get("Handle"), Variant(handle));
}

TEST(AcadStandIn, BooleanSubtractionOfRegions) {
  struct Case {
    const char* name;
    std::vector<Vec3> centers;  // circles of radius 10, 2, ...: regions 0 and 1
    std::vector<double> radii;
    bool succeeds;
    double area;
    int regionsLeft;
  };
  const double pi = std::numbers::pi;
  const Case cases[] = {
      {"island inside", {{0, 0, 0}, {3, 0, 0}}, {10, 2}, true, pi * 96, 1},
      {"apart", {{0, 0, 0}, {50, 0, 0}}, {10, 2}, true, pi * 100, 1},
      {"partly overlapping", {{0, 0, 0}, {10, 0, 0}}, {10, 2}, false, pi * 100, 2},
  };
  for (const auto& c : cases) {
    auto host = attachHost();
    VariantList circles;
    for (std::size_t i = 0; i < c.centers.size(); ++i)
      circles.push_back(*host.modelSpace->call("AddCircle", {pointVariant(c.centers[i]), Variant(c.radii[i])}));
    auto regions = host.modelSpace->call("AddRegion", {Variant(circles)});
    ASSERT_TRUE(regions) << c.name;
    const auto& list = *regions->getIf<VariantList>();
    auto outer = asObject(list[0]);
    auto island = asObject(list[1]);
    EXPECT_EQ(outer->call("Boolean", {Variant(std::int16_t{2}), list[1]}).has_value(), c.succeeds) << c.name;
    EXPECT_NEAR(*asDouble(*outer->get("Area")), c.area, 1e-9) << c.name;
    int regionsLeft = 0;
    for (const Entity* e : host.session().drawing.entities()) regionsLeft += e->kind == EntityKind::Region;
    EXPECT_EQ(regionsLeft, c.regionsLeft) << c.name;
    EXPECT_EQ(island->get("ObjectName").has_value(), !c.succeeds) << c.name;
  }
}

// Faults by class name, on the Nth call, and what a failed SendCommand leaves
// are checked by the golden scenarios (*_fault_*) and SimObject's tests; here,
// a failed pick's outputs and queue.
TEST(AcadStandIn, AFailedPickWritesNoOutputAndTakesNoAnswer) {
  auto host = attachHost();
  auto& session = host.session();
  std::string line = session.drawing.add(makeLine({0, 0, 0}, {10, 0, 0}));
  host.host.context->faults.add({"AcadUtility", "getentity", 2, Error{hr::kFail, "injected"}});
  for (int i = 0; i < 3; ++i) session.picks.push(PickAnswer::entity(line));

  std::vector<bool> outcomes;
  for (int i = 0; i < 3; ++i) {
    std::vector<Variant> args{outputObject(), outputVariant(), Variant("Pick point:")};
    auto r = host.utility->invoke("GetEntity", CallKind::Method, args);
    outcomes.push_back(r.has_value());
    if (!r) {
      EXPECT_EQ(r.error().description, "injected");
      EXPECT_EQ(args[0], outputObject());
    }
  }
  EXPECT_EQ(outcomes, (std::vector<bool>{true, false, true}));
  // A failed call takes no answer from the queue.
  EXPECT_EQ(session.picks.pending(), 1u);
}

}  // namespace
}  // namespace plotmate::sim
