// The drawing stand-in's command line: inserts, boundaries, undo and system
// variables. What the repeater sends and what drafters type most, with the
// host's text window, is checked by the golden scenarios
// tests/scenarios/drawing_command_lines*; the boundary's message for a point
// outside every outline by measure_area_islands; UNDO counts by HostileInput.

#include <gtest/gtest.h>

#include <numbers>

#include "acad_test_support.h"
#include "sim/drawing/command_line.h"
#include "sim/drawing/regions.h"

namespace plotmate::sim {
namespace {

using testing::makeCircle;
using testing::makeSquare;
using testing::num;
using testing::pointText;

// One line per entity of the kinds these commands make.
std::string summary(const Entity& e) {
  switch (e.kind) {
    case EntityKind::BlockRef: {
      std::string s = "INSERT " + e.blockName + " " + pointText(e.points[0]) + " s" + num(e.scale.x) +
                      "," + num(e.scale.y) + " r" + num(e.rotation);
      for (const auto& a : e.attributes) s += " " + a.tag + "=" + a.value;
      return s;
    }
    case EntityKind::Region: return "REGION area " + num(regionArea(e));
    case EntityKind::LwPolyline: return "LWPOLYLINE " + std::to_string(e.points.size()) + (e.closed ? " closed" : "");
    default: return std::string(objectName(e.kind));
  }
}

std::vector<std::string> summaries(const Drawing& drawing) {
  std::vector<std::string> out;
  for (const Entity* e : drawing.entities()) out.push_back(summary(*e));
  return out;
}

TEST(AcadCommandLine, InsertTakesScalesRotationAndAttributes) {
  struct Case {
    const char* name;
    std::int16_t attreq, attdia;
    std::string typed;
    std::string expected;
  };
  const Case cases[] = {
      {"values typed", 1, 0, "-insert\rMARK\r10,20\r2\r\r90\rN 12\r\r",
       "INSERT MARK 10,20,0 s2,2 r" + num(std::numbers::pi / 2) + " NO=N 12 H=0.00"},
      {"ATTREQ 0 takes defaults", 0, 0, "-i\rmark\r1,1\r\r3\r\r", "INSERT MARK 1,1,0 s1,3 r0 NO=? H=0.00"},
      {"ATTDIA 1 takes defaults", 1, 1, "-insert\rMARK\r1,1\r1\r1\r0\r", "INSERT MARK 1,1,0 s1,1 r0 NO=? H=0.00"},
  };
  for (const auto& c : cases) {
    DrawingSession session;
    BlockDefinition block;
    block.name = "MARK";
    block.attributes = {{"NO", "Point number", "?", {}, 1}, {"H", "Height", "0.00", {}, 1}};
    session.drawing.defineBlock(block);
    ASSERT_TRUE(session.variables.set("ATTREQ", Variant(c.attreq)));
    ASSERT_TRUE(session.variables.set("ATTDIA", Variant(c.attdia)));
    session.commandLine().send(c.typed);
    EXPECT_EQ(summaries(session.drawing), std::vector<std::string>{c.expected}) << c.name;
    EXPECT_FALSE(session.commandLine().busy()) << c.name;
  }
}

// The area tool's line: "-boundary", a, o, r, Enter, the point, Enter.
std::string areaLine(double x, double y) {
  return "-boundary\ra\ro\rr\r\r" + countingForm(x) + "," + countingForm(y) + "\r\r";
}

TEST(AcadCommandLine, BoundaryMakesTheOuterRegionThenItsIslands) {
  const double circle = std::numbers::pi * 100;
  struct Case {
    const char* name;
    bool islandsFirst;
    double x, y;
    std::vector<std::string> added;
  };
  const Case cases[] = {
      {"outer first", false, 50, 50,
       {"REGION area 10000", "REGION area 400", "REGION area " + num(circle)}},
      {"islands first when switched", true, 50, 50,
       {"REGION area 400", "REGION area " + num(circle), "REGION area 10000"}},
      {"inside an island", false, 30, 30, {"REGION area 400"}},
      {"outside every outline", false, 500, 500, {}},
  };
  for (const auto& c : cases) {
    DrawingSession session;
    session.drawing.add(makeSquare(0, 0, 100));
    session.drawing.add(makeSquare(20, 20, 20));
    session.drawing.add(makeCircle({70, 70, 0}, 10));
    session.drawing.add(makeCircle({300, 300, 0}, 5));  // elsewhere: never an island
    session.boundaryIslandsFirst = c.islandsFirst;
    session.commandLine().send(areaLine(c.x, c.y));
    auto all = summaries(session.drawing);
    std::vector<std::string> added(all.begin() + 4, all.end());
    EXPECT_EQ(added, c.added) << c.name;
    EXPECT_FALSE(session.commandLine().busy()) << c.name;
    EXPECT_EQ(session.variables.integer("HPBOUND"), 0) << c.name;
  }
}

TEST(AcadCommandLine, BoundaryMakesPolylinesByDefault) {
  DrawingSession session;
  session.drawing.add(makeSquare(0, 0, 10));
  session.commandLine().send("-bo\r5,5\r\r");
  EXPECT_EQ(summaries(session.drawing),
            (std::vector<std::string>{"LWPOLYLINE 4 closed", "LWPOLYLINE 4 closed"}));
}

TEST(AcadCommandLine, BoundaryWorksInTheUcsPlane) {
  DrawingSession session;
  session.drawing.ucs = {{0, 0, 50}, {1, 0, 0}, {0, 1, 0}};
  Entity raised = makeSquare(0, 0, 10);
  raised.elevation = 50;
  session.drawing.add(raised);
  session.commandLine().send(areaLine(5, 5));
  ASSERT_EQ(session.drawing.size(), 2u);
  const Entity& region = *session.drawing.at(1);
  EXPECT_EQ(region.kind, EntityKind::Region);
  EXPECT_NEAR(regionArea(region), 100, 1e-9);
  EXPECT_NEAR(region.loops.front().points.front().z, 50, 1e-9);
}

TEST(AcadCommandLine, UndoRevertsWholeSteps) {
  struct Case {
    const char* name;
    std::string typed;
    bool groupAroundRows;
    std::size_t left;
  };
  const Case cases[] = {
      {"U takes back the last command", "u\r", false, 2},
      {"U takes back a whole undo group", "u\r", true, 1},
      {"UNDO with Enter takes one", "undo\r\r", false, 2},
      {"UNDO Back returns to the mark", "undo\rb\r", false, 1},
  };
  for (const auto& c : cases) {
    DrawingSession session;
    auto& line = session.commandLine();
    line.send("point\r0,0\r");
    if (std::string(c.name).find("Back") != std::string::npos) line.send("undo\rm\r");
    if (c.groupAroundRows) session.undo.beginGroup();
    line.send("point\r1,1\r");
    line.send("point\r2,2\r");
    if (c.groupAroundRows) session.undo.endGroup();
    line.send(c.typed);
    EXPECT_EQ(session.drawing.size(), c.left) << c.name;
  }
}

TEST(AcadCommandLine, UndoBringsErasedEntitiesBackUnderTheirHandles) {
  DrawingSession session;
  std::string kept = session.addEntity(makeCircle({0, 0, 0}, 1));
  session.eraseEntity(kept);
  EXPECT_EQ(session.drawing.find(kept), nullptr);
  session.commandLine().send("u\r");
  ASSERT_NE(session.drawing.find(kept), nullptr);
  EXPECT_EQ(session.drawing.find(kept)->radius, 1);
}

TEST(AcadCommandLine, SetVariableChecksTypeRangeAndName) {
  struct Case {
    const char* name;
    Variant value;
    bool accepted;
    Variant readBack;
  };
  const Case cases[] = {
      {"CMDECHO", Variant(std::int16_t{0}), true, Variant(std::int16_t{0})},
      {"cmdecho", Variant(std::int32_t{0}), false, Variant(std::int16_t{1})},  // a Long
      {"CMDECHO", Variant(0.0), false, Variant(std::int16_t{1})},
      {"FILEDIA", Variant(std::int16_t{2}), false, Variant(std::int16_t{1})},
      {"EXPERT", Variant(std::int16_t{1}), true, Variant(std::int16_t{1})},
      {"PDMODE", Variant(std::int16_t{34}), true, Variant(std::int16_t{34})},
      {"PDMODE", Variant(std::int16_t{5}), false, Variant(std::int16_t{0})},
      {"PDSIZE", Variant(std::int16_t{5}), false, Variant(0.0)},  // an Integer for a real
      {"PDSIZE", Variant(5.0), true, Variant(5.0)},
      {"PDSIZE", Variant("5"), false, Variant(0.0)},
      {"NOMUTT", Variant(std::int16_t{1}), true, Variant(std::int16_t{1})},
      {"CLAYER", Variant("WALLS"), true, Variant("WALLS")},
      {"CLAYER", Variant(std::int16_t{5}), false, Variant("0")},
      {"ACADVER", Variant("99"), false, Variant("24.0s (LMS Tech)")},
      {"TEXTSIZE", Variant(0.0), false, Variant(2.5)},
  };
  for (const auto& c : cases) {
    SystemVariables vars;
    EXPECT_EQ(vars.set(c.name, c.value).has_value(), c.accepted) << c.name << " " << describe(c.value);
    auto read = vars.get(c.name);
    ASSERT_TRUE(read) << c.name;
    EXPECT_EQ(*read, c.readBack) << c.name << " " << describe(c.value);
  }
  SystemVariables vars;
  EXPECT_FALSE(vars.set("NOSUCHVAR", Variant(std::int16_t{1})));
  EXPECT_FALSE(vars.get("NOSUCHVAR"));
}

}  // namespace
}  // namespace plotmate::sim
