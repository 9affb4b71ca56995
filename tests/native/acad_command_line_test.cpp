// The drawing stand-in's command line: what the repeater and the area tool
// send, and what drafters type most, as text in and entities out.

#include <gtest/gtest.h>

#include <numbers>

#include "acad_test_support.h"
#include "sim/drawing/command_line.h"
#include "sim/drawing/coords.h"
#include "sim/drawing/regions.h"

namespace plotmate::sim {
namespace {

using testing::makeCircle;
using testing::makeSquare;
using testing::num;
using testing::pointText;

// One line per entity, positions in world coordinates.
std::string summary(const Entity& e) {
  auto world = [&](Vec3 p) { return pointText(ocsToWorld(e.normal, p, false)); };
  switch (e.kind) {
    case EntityKind::Text:
      return "TEXT " + world(e.points[0]) + " h" + num(e.height) + " r" + num(e.rotation) + " \"" + e.text + "\"";
    case EntityKind::Circle: return "CIRCLE " + world(e.points[0]) + " r" + num(e.radius);
    case EntityKind::Point: return "POINT " + pointText(e.points[0]);
    case EntityKind::Line: return "LINE " + pointText(e.points[0]) + " " + pointText(e.points[1]);
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

bool transcriptHas(const DrawingSession& s, std::string_view line) {
  for (const auto& t : s.commands.transcript)
    if (t == line) return true;
  return false;
}

struct LineCase {
  const char* name;
  std::string typed;
  std::vector<std::string> entities;
};

TEST(AcadCommandLine, CommandLinesMakeTheirEntities) {
  const double third = -10.0 / 3.0;
  const LineCase cases[] = {
      {"repeater circle", "circle\r100,200\r5\r", {"CIRCLE 100,200,0 r5"}},
      {"repeater text with the Enter mark", "text\r10,20\r2.5\r0\rA1\r\r", {"TEXT 10,20,0 h2.5 r0 \"A1\""}},
      {"station label and point",
       "-text\r3500.25,8200.5\r25\r0\rP7\rpoint\r3500.25,8200.5\r",
       {"TEXT 3500.25,8200.5,0 h25 r0 \"P7\"", "POINT 3500.25,8200.5,0"}},
      {"blanks end answers", "circle 1,2 3 ", {"CIRCLE 1,2,0 r3"}},
      {"a text line keeps its blanks", "dt\r0,0\r2\r0\rHello world \r\r", {"TEXT 0,0,0 h2 r0 \"Hello world \""}},
      {"text lines until an empty one", "text\r0,0\r2\r0\rL1\rL2\r\r",
       {"TEXT 0,0,0 h2 r0 \"L1\"", "TEXT 0," + num(third) + ",0 h2 r0 \"L2\""}},
      {"-text with an empty line draws nothing", "-text\r0,0\r2\r0\r\r", {}},
      {"rotation in degrees", "-text\r0,0\r2\r90\rV\r", {"TEXT 0,0,0 h2 r" + num(std::numbers::pi / 2) + " \"V\""}},
      {"circle by diameter", "c\r0,0\rd\r10\r", {"CIRCLE 0,0,0 r5"}},
      {"circle radius by a point", "circle\r0,0\r3,4\r", {"CIRCLE 0,0,0 r5"}},
      {"circle default radius is the last one", "circle\r0,0\r2\rcircle\r5,5\r\r",
       {"CIRCLE 0,0,0 r2", "CIRCLE 5,5,0 r2"}},
      {"line closed", "line\r0,0\r10,0\r10,10\rc\r",
       {"LINE 0,0,0 10,0,0", "LINE 10,0,0 10,10,0", "LINE 10,10,0 0,0,0"}},
      {"line undo of a segment", "l\r0,0\r1,0\r2,0\ru\r\r", {"LINE 0,0,0 1,0,0"}},
      {"relative and polar points", "line\r1,1\r@2,0\r@3<90\r\r", {"LINE 1,1,0 3,1,0", "LINE 3,1,0 3,4,0"}},
      {"3-D point", "point\r1,2,3\r", {"POINT 1,2,3"}},
      {"invalid point asked again", "circle\rabc\r1,1\r2\r", {"CIRCLE 1,1,0 r2"}},
      {"non-positive radius asked again", "circle\r0,0\r-1\r0\r4\r", {"CIRCLE 0,0,0 r4"}},
      {"unknown command skipped", "zhandian\rpoint\r5,5\r", {"POINT 5,5,0"}},
      {"CR LF is one Enter", "point\r\n7,8\r\n", {"POINT 7,8,0"}},
      {"LF alone is Enter", "point\n7,8\n", {"POINT 7,8,0"}},
      {"Enter at the prompt repeats the command", "point\r1,1\r\r2,2\r", {"POINT 1,1,0", "POINT 2,2,0"}},
      {"prefixed command names", "_.CIRCLE\r0,0\r1\r", {"CIRCLE 0,0,0 r1"}},
      {"Esc cancels", "circle\r1,1\r\x1bpoint\r3,3\r", {"POINT 3,3,0"}},
      {"text height by Enter takes TEXTSIZE", "-text\r0,0\r\r0\rX\r", {"TEXT 0,0,0 h2.5 r0 \"X\""}},
  };
  for (const auto& c : cases) {
    DrawingSession session;
    CommandLine line(session);
    line.send(c.typed);
    EXPECT_EQ(summaries(session.drawing), c.entities) << c.name;
    EXPECT_FALSE(line.busy()) << c.name << ": waits at " << line.prompt();
  }
}

TEST(AcadCommandLine, UnknownCommandIsReported) {
  DrawingSession session;
  session.commandLine().send("zhandian\r");
  EXPECT_TRUE(transcriptHas(session, "Unknown command \"ZHANDIAN\".  Press F1 for help."));
  EXPECT_EQ(session.drawing.size(), 0u);
}

TEST(AcadCommandLine, UnfinishedInputCarriesOverToTheNextSend) {
  DrawingSession session;
  CommandLine line(session);
  line.send("circle\r100,200\r");
  EXPECT_TRUE(line.busy());
  EXPECT_EQ(line.prompt(), "Specify radius of circle or [Diameter]:");
  line.send("po");  // typed, not entered: the circle still waits
  EXPECT_EQ(session.drawing.size(), 0u);
  EXPECT_EQ(line.unfinishedInput(), "po");
  line.send("\r");  // "po" is no radius: asked again
  EXPECT_TRUE(line.busy());
  line.send("5\r");
  EXPECT_EQ(summaries(session.drawing), std::vector<std::string>{"CIRCLE 100,200,0 r5"});
  EXPECT_FALSE(line.busy());
}

TEST(AcadCommandLine, PointsAreTypedInTheCurrentUcs) {
  DrawingSession session;
  // Origin raised and turned a quarter: UCS X runs along world Y.
  session.drawing.ucs = {{100, 0, 5}, {0, 1, 0}, {-1, 0, 0}};
  session.commandLine().send("point\r1,2\rpoint\r*1,2\rcircle\r0,0\r1\r-text\r0,0\r2\r0\rT\r");
  auto s = summaries(session.drawing);
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(s[0], "POINT 98,1,5");
  EXPECT_EQ(s[1], "POINT 1,2,0");  // "*" marks a world point
  EXPECT_EQ(s[2], "CIRCLE 100,0,5 r1");
  // Text along UCS X: a quarter turn from the entity system's X axis.
  EXPECT_EQ(s[3], "TEXT 100,0,5 h2 r" + num(std::numbers::pi / 2) + " \"T\"");
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

TEST(AcadCommandLine, InsertOfAnUndefinedBlockEndsTheCommand) {
  DrawingSession session;
  session.commandLine().send("-insert\rNOPE\r");
  EXPECT_FALSE(session.commandLine().busy());
  EXPECT_TRUE(transcriptHas(session, "Block \"NOPE\" not found.  *Invalid*"));
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

TEST(AcadCommandLine, BoundaryReportsAPointOutsideEveryOutline) {
  DrawingSession session;
  session.drawing.add(makeSquare(0, 0, 10));
  session.commandLine().send(areaLine(50, 50));
  EXPECT_TRUE(transcriptHas(session, "Valid boundary not found."));
  EXPECT_EQ(session.drawing.size(), 1u);
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
      {"UNDO with a count", "undo\r2\r", false, 1},
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
