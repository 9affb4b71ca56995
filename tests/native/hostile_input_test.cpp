// Inputs at the edges of what the stand-ins and the number texts take: counts
// and sizes far past the usual, outlines drawn over one another, texts that
// look like file marks. Each case once broke something (undefined behaviour,
// stack bytes in a prompt, unbounded growth, a lost character).

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "acad_test_support.h"
#include "format/number_text.h"
#include "sim/drawing/command_line.h"
#include "sim/drawing/typed_input.h"
#include "sim/sheet/sheet_csv.h"

namespace plotmate::sim {
namespace {

using namespace std::string_literals;
using testing::makeCircle;
using testing::makeSquare;

TEST(HostileInput, UndoCountsOfAnySize) {
  struct Case {
    const char* typed;
    std::size_t left;  // of three circles drawn one command each
    const char* message;
  };
  const Case cases[] = {
      {"2", 1, "Undone 2 steps"},
      {"1e19", 0, "Undone 3 steps"},  // past long long
      {"1e308", 0, "Undone 3 steps"},
      {"18446744073709551616", 0, "Undone 3 steps"},  // 2^64
      {"0", 3, "Requires a positive integer."},
      {"-1e19", 3, "Requires a positive integer."},
      {"2.5", 3, "Requires a positive integer."},
      {"1e400", 3, "Requires an integer value or option keyword."},  // no finite number
  };
  for (const auto& c : cases) {
    DrawingSession session;
    for (int i = 1; i <= 3; ++i) session.commandLine().send("circle\r0,0\r" + std::to_string(i) + "\r");
    session.commandLine().send("undo\r"s + c.typed + "\r");
    EXPECT_EQ(session.drawing.size(), c.left) << c.typed;
    EXPECT_NE(std::find(session.commands.transcript.begin(), session.commands.transcript.end(), c.message),
              session.commands.transcript.end())
        << c.typed;
  }
}

TEST(HostileInput, UnitsTextOfAnyMagnitude) {
  struct Case {
    double value;
    std::string text;
  };
  // Every digit of the double itself: 1e100 is 10000000000000000159... exactly.
  const Case cases[] = {
      {1e22, "10000000000000000000000.0000"},
      {0x1p200, "1606938044258990275541962092341162602522202993782792835301376.0000"},
      {-0.0, "0.0000"},
      {std::numeric_limits<double>::infinity(), "inf"},
  };
  for (const auto& c : cases) EXPECT_EQ(unitsText(c.value), c.text) << c.value;
  const std::pair<double, std::string> wide[] = {{1e100, "100000000000000001"},
                                                 {-DBL_MAX, "-17976931348623157"}};
  for (const auto& [value, start] : wide) {
    const std::string text = unitsText(value);
    EXPECT_EQ(text.size(), (value < 0) + 1 + static_cast<std::size_t>(std::log10(std::abs(value))) + 5) << value;
    EXPECT_TRUE(text.starts_with(start) && text.ends_with(".0000")) << text;
  }
}

TEST(HostileInput, AHugeRadiusBecomesTheNextDefault) {
  DrawingSession session;
  session.commandLine().send("circle\r0,0\r1e100\rcircle\r0,0\r");
  EXPECT_EQ(session.commandLine().prompt(),
            "Specify radius of circle or [Diameter] <" + unitsText(1e100) + ">:");
}

TEST(HostileInput, BoundaryTracedAgainAndAgainMakesOneCopyPerPick) {
  DrawingSession session;
  session.drawing.add(makeCircle({5, 5, 0}, 2));
  session.drawing.add(makeCircle({5, 5, 0}, 4));
  for (int pick = 1; pick <= 16; ++pick) {
    session.commandLine().send("-bo\r2,5\r\r");
    ASSERT_EQ(session.drawing.size(), 2u + 2u * pick) << "pick " << pick;  // the ring and its island
  }
}

Entity squareFrom(std::vector<Vec3> corners) {
  return testing::makePolyline(EntityKind::LwPolyline, std::move(corners), true);
}

TEST(HostileInput, CoincidentIslandsCountOnce) {
  struct Case {
    const char* name;
    Entity second;  // drawn over the island square (2,2)-(4,4)
    std::size_t islands;
  };
  const Case cases[] = {
      {"the same square", makeSquare(2, 2, 2), 1},
      {"traced from another corner", squareFrom({{4, 2, 0}, {4, 4, 0}, {2, 4, 0}, {2, 2, 0}}), 1},
      {"traced backwards", squareFrom({{2, 2, 0}, {2, 4, 0}, {4, 4, 0}, {4, 2, 0}}), 1},
      {"moved by a hair", makeSquare(2.001, 2, 2), 2},
      {"a triangle on three of its corners", squareFrom({{2, 2, 0}, {4, 2, 0}, {4, 4, 0}}), 2},
  };
  for (const auto& c : cases) {
    DrawingSession session;
    session.drawing.add(makeSquare(0, 0, 10));
    session.drawing.add(makeSquare(2, 2, 2));
    session.drawing.add(c.second);
    session.commandLine().send("-bo\r8,8\r\r");
    EXPECT_EQ(session.drawing.size(), 3 + 1 + c.islands) << c.name;
  }
}

TEST(HostileInput, CsvTextsThatLookLikeAByteOrderMark) {
  const std::string mark = "\xEF\xBB\xBF";
  struct Case {
    const char* name;
    CellRef cell;
    std::string text;
  };
  const Case cases[] = {
      {"a mark and text in A1", {1, 1}, mark + "x"},
      {"only the mark in A1", {1, 1}, mark},
      {"a mark in B1", {1, 2}, mark + "1"},
      {"a mark in A2", {2, 1}, mark},
  };
  for (const auto& c : cases) {
    Worksheet sheet;
    ASSERT_TRUE(sheet.enterText(c.cell, c.text)) << c.name;
    auto back = worksheetFromCsv(worksheetToCsv(sheet));
    ASSERT_TRUE(back) << c.name << ": " << back.error().description;
    EXPECT_EQ(back->cells(), sheet.cells()) << c.name;
  }
}

TEST(HostileInput, NumberTextsOfEveryFiniteDoubleReadBack) {
  const double values[] = {DBL_MAX, -DBL_MAX, std::nextafter(DBL_MAX, 0.0), 1.7976931348623e308,
                           9.99999999999999e307, DBL_MIN, std::numeric_limits<double>::denorm_min(), -5e-324};
  for (double value : values) {
    for (int digits : {1, 7, 15}) {
      const std::string text = countingForm(value, digits);
      auto back = parseNumberText(text);
      ASSERT_TRUE(back) << value << " in " << digits << " digits";
      EXPECT_TRUE(std::isfinite(*back)) << text;
      EXPECT_LE(std::abs(*back - value), std::abs(value) * std::pow(10.0, 1 - digits)) << text;
    }
    auto plain = parseNumberText(plainForm(value));
    ASSERT_TRUE(plain) << value;
    EXPECT_LE(std::abs(*plain - value), std::abs(value) * 1e-14) << value;
  }
}

}  // namespace
}  // namespace plotmate::sim
