// The drawing stand-in's command line: inserts, undo and system variables.
// What the repeater sends and what drafters type most, with the host's text
// window, is checked by the golden scenarios tests/scenarios/drawing_*: the
// command lines, UNDO counts and steps, and BOUNDARY's regions and polylines with their
// islands (drawing_boundary_*).

#include <gtest/gtest.h>

#include <numbers>

#include "tests/native/acad_test_support.h"
#include "sim/drawing/command_line.h"

namespace plotmate::sim {
namespace {

using testing::makeCircle;
using testing::num;
using testing::pointText;

// An insert as one line: block, place, scales, rotation and attributes.
std::string summary(const Entity& e) {
  std::string s = "INSERT " + e.blockName + " " + pointText(e.points[0]) + " s" + num(e.scale.x) + "," +
                  num(e.scale.y) + " r" + num(e.rotation);
  for (const auto& a : e.attributes) s += " " + a.tag + "=" + a.value;
  return s;
}

std::vector<std::string> summaries(const Drawing& drawing) {
  std::vector<std::string> out;
  for (const Entity* e : drawing.entities()) out.push_back(summary(*e));
  return out;
}

TEST(AcadCommandLine, InsertTakesScalesRotationAndAttributes) {
  struct Case { const char* name; std::int16_t attreq, attdia; std::string typed, expected; };
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

// U, UNDO with Enter and UNDO Back are the golden scenario drawing_undo_steps;
// an undo group around rows is opened through the host's interface only.
TEST(AcadCommandLine, UTakesBackAWholeUndoGroup) {
  DrawingSession session;
  auto& line = session.commandLine();
  line.send("point\r0,0\r");
  session.undo.beginGroup();
  line.send("point\r1,1\r");
  line.send("point\r2,2\r");
  session.undo.endGroup();
  line.send("u\r");
  EXPECT_EQ(session.drawing.size(), 1u);
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
  struct Case { const char* name; Variant value; bool accepted; Variant readBack; };
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
