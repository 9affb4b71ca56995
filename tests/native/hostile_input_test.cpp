// Inputs at the edges of what the stand-ins and the number texts take: sizes
// far past the usual, texts that look like file marks. Each case once broke
// something (undefined behaviour, stack bytes in a prompt, unbounded growth, a
// lost character). UNDO counts of any size, a huge radius as the next default
// and outlines drawn over one another are the golden scenarios
// drawing_undo_counts and drawing_boundary_islands.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "format/number_text.h"
#include "sim/drawing/typed_input.h"
#include "sim/sheet/sheet_csv.h"

namespace plotmate::sim {
namespace {

TEST(HostileInput, UnitsTextOfAnyMagnitude) {
  struct Case { double value; std::string text; };
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

TEST(HostileInput, CsvTextsThatLookLikeAByteOrderMark) {
  const std::string mark = "\xEF\xBB\xBF";
  struct Case { const char* name; CellRef cell; std::string text; };
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
