#include "format/format_fixed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace plotmate {
namespace {

std::string blanks(int n) {
  return std::string(n, ' ');
}

struct FixedCase { double value; std::int16_t width; std::int16_t decimals; std::string text; double rounded; };

// The worked table at width 5 and 3 decimals is the golden scenario
// format_fixed_table; here, the other widths and decimals and the edges.
TEST(FormatFixed, RoundsPadsAndAlignsOnThePoint) {
  const FixedCase cases[] = {
      // The counting form's 0 takes a place that the text does not show.
      {0.0006, 5, 3, blanks(4) + ".001", 0.001},
      {-1234, 5, 3, "-1234.000", -1234},
      {12.6, 5, 0, blanks(3) + "13.", 13},
      {12, 5, 2, blanks(3) + "12.00", 12},
      // Halves go upward, also below zero.
      {2.25, 5, 1, blanks(4) + "2.3", 2.3},
      {-2.25, 5, 1, blanks(3) + "-2.2", -2.2},
      {-2.5, 5, 0, blanks(3) + "-2.", -2},
      // Tiny negatives round to a plain zero, never "-0".
      {-0.0004, 5, 3, blanks(4) + "0.000", 0},
      {1e-300, 5, 3, blanks(4) + "0.000", 0},
      // A negative decimals argument counts as 0.
      {12.6, 5, -2, blanks(3) + "13.", 13},
      {-7.49, 5, -1, blanks(3) + "-7.", -7},
      // Width 0 or below: no blanks at all.
      {0.5, 0, 3, ".500", 0.5},
      {42, -3, 1, "42.0", 42},
      // Large magnitudes: no exponent, never cut.
      {-1.5e20, 5, 2, "-150000000000000000000.00", -1.5e20},
      // More digits than 15 significant ones can show: padded, not garbled.
      {123456789.123456789, 5, 10, "123456789.1234570000", 123456789.123456789},
  };
  for (const auto& c : cases) {
    const auto [rounded, text] = FormatFixed(c.value, c.width, c.decimals);
    EXPECT_EQ(text, c.text) << c.value << " w" << c.width << " d" << c.decimals;
    EXPECT_EQ(rounded, c.rounded) << c.value << " d" << c.decimals;
  }
}

TEST(FormatFixed, ExtremeDecimalsAndMagnitudesStayExact) {
  // 10^400 overflows: the value is left as it is, not turned into NaN or 0.
  const FixedCase cases[] = {
      {0.5, 5, 400, blanks(4) + "." + "5" + std::string(399, '0'), 0.5},
      {0, 5, 400, blanks(4) + "0." + std::string(400, '0'), 0},
      {1e300, 5, 10, "1" + std::string(300, '0') + "." + std::string(10, '0'), 1e300},
      {1.25, 5, 32767, blanks(4) + "1.25" + std::string(32765, '0'), 1.25},
  };
  for (const auto& c : cases) {
    const auto [rounded, text] = FormatFixed(c.value, c.width, c.decimals);
    EXPECT_EQ(text, c.text) << c.value << " d" << c.decimals;
    EXPECT_EQ(rounded, c.rounded) << c.value << " d" << c.decimals;
  }
}

TEST(FormatFixed, NonFiniteValuesAreMarkedAndLeftAlone) {
  const double cases[] = {std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity()};
  for (double original : cases) {
    // Right-aligned in the nine characters "   12.346" would take.
    EXPECT_EQ(FormatFixed(original, 5, 3).text, blanks(4) + "#NUM!") << original;
    EXPECT_EQ(FormatFixed(original, 5, 0).text, blanks(1) + "#NUM!") << original;
    EXPECT_EQ(FormatFixed(original, 0, 0).text, "#NUM!") << original;
    const double rounded = FormatFixed(original, 5, 3).rounded;
    EXPECT_TRUE(std::isnan(original) ? std::isnan(rounded) : rounded == original) << original;
  }
}

}  // namespace
}  // namespace plotmate
