#include "convert/feet_inch.h"

#include <gtest/gtest.h>

#include <string>

namespace plotmate {
namespace {

struct SplitCase { std::string text, separator; bool after; std::string part; };

TEST(SplitPart, BeforeOrAfterTheFirstSeparator) {
  const SplitCase cases[] = {
      {"5.6", ".", false, "5"},        {"5.6", ".", true, "6"},
      {"5.6.5", ".", true, "6.5"},     {"5.", ".", true, ""},
      {".6", ".", false, ""},          {"a--b--c", "--", true, "b--c"},
      {"英尺.寸", ".", false, "英尺"}, {"英尺.寸", ".", true, "寸"},
      {"abc", ".", false, "abc"},      {"abc", ".", true, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SplitPart(c.text, c.separator, c.after), c.part) << c.text << " " << c.after;
}

struct ConvertCase { std::string input; std::string shown; };

// The worked inputs (a sign, a fraction still being typed, a blank ending the
// inches, no point at all) are the golden scenario feet_inch_examples.
TEST(FeetInch, ResultTextForTypedInput) {
  const std::string zero(kZeroDenominatorText), tooLarge(kTooLargeText);
  const ConvertCase cases[] = {
      {"-0.6", "152.4"},  // the sign belongs to the feet only
      {"1.2 1/", "355.6"},
      {"0.1/", "25.4"},
      {".", "0"},
      {"英尺.寸", "0"},
      {"0.0.01", "0.254"},
      {"0.0.001", "0.0254"},
      // Blanks at the ends of a part do not hide its number.
      {" 5.6", "1676.4"},
      {"5. 6 ", "1676.4"},
      // A blank in the feet without a complete fraction after it: the whole number alone.
      {"5 .6", "1676.4"},
      {"5 1/.6", "1676.4"},
      {"5 x.6", "1676.4"},
      {"5 1/2.6", "1828.8"},
      // A negative whole number takes its fraction along.
      {"-5 1/2.0", "-1676.4"},
      {"1.-6 1/2", "139.7"},
      // Zero denominators, in either part.
      {"1/0.0", zero},
      {"0.1/0", zero},
      {"5 1/0.6", zero},
      {"1/x.0", zero},
      // Beyond 7 significant digits, and beyond the single-precision range.
      {"32809.0", "10000180"},
      {"1e36.0", "3048" + std::string(35, '0')},
      {"1e40.0", tooLarge},
      {"1e400.-1e400", tooLarge},  // infinity minus infinity
      {"0.1e-60", "0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FeetInchResultText(c.input), c.shown) << '"' << c.input << '"';
}

TEST(FeetInch, MillimetresBeforeSinglePrecision) {
  EXPECT_DOUBLE_EQ(*FeetInchToMillimetres("5.6 1/2"), 66.5 * 25.4);
  EXPECT_DOUBLE_EQ(*FeetInchToMillimetres("0.0.0000001"), 0.00000254);
  EXPECT_EQ(*FeetInchToMillimetres("12"), 0);
  EXPECT_FALSE(FeetInchToMillimetres("0.1/0").has_value());
  // The shown text is the single-precision value: 1689.1 is 1689.0999755... as a float.
  EXPECT_EQ(MillimetreText(1689.1), "1689.1");
  EXPECT_EQ(MillimetreText(0.1234567891), "0.1234568");
  EXPECT_EQ(MillimetreText(-0.0), "0");
}

}  // namespace
}  // namespace plotmate
