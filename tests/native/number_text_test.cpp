#include "format/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plotmate {
namespace {

struct FormCase { double value; const char* plain; const char* counting; };

TEST(NumberText, PlainAndCountingForms) {
  const FormCase cases[] = {
      {0.0, "0", "0"},
      {-0.0, "0", "0"},
      {0.5, ".5", "0.5"},
      {-0.25, "-.25", "-0.25"},
      {12.0, "12", "12"},
      {12.3456, "12.3456", "12.3456"},
      {-9.5, "-9.5", "-9.5"},
      {0.1 + 0.2, ".3", "0.3"},  // 15 significant digits hide the binary noise
      {123456789012345.0, "123456789012345", "123456789012345"},
      {1e15, "1000000000000000", "1000000000000000"},          // no exponent form
      {1.5e20, "150000000000000000000", "150000000000000000000"},
      {1234567.891234567891, "1234567.89123457", "1234567.89123457"},
      {0.000012, ".000012", "0.000012"},
      {-1e-7, "-.0000001", "-0.0000001"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(plainForm(c.value), c.plain) << c.value;
    EXPECT_EQ(countingForm(c.value), c.counting) << c.value;
  }
}

TEST(NumberText, CountingFormWithFewerDigits) {
  EXPECT_EQ(countingForm(static_cast<float>(1676.4), 7), "1676.4");  // 1676.400024...
  EXPECT_EQ(countingForm(static_cast<float>(0.1), 7), "0.1");
  EXPECT_EQ(countingForm(12345678, 7), "12345680");
  EXPECT_EQ(countingForm(-0.00012345678, 7), "-0.0001234568");
  EXPECT_EQ(countingForm(2.6, 1), "3");
  EXPECT_EQ(countingForm(1.0 / 3, 40), "0.333333333333333");  // never past 15
  EXPECT_EQ(countingForm(1.0 / 3, 0), "0.3");                  // at least 1
}

TEST(NumberText, WholeTextAsNumber) {
  EXPECT_EQ(parseNumberText("12.5"), 12.5);
  EXPECT_EQ(parseNumberText("  -3 "), -3.0);
  EXPECT_EQ(parseNumberText("+.5"), 0.5);
  EXPECT_EQ(parseNumberText("1e3"), 1000.0);
  for (const char* text : {"", " ", "-", "abc", "12a", "1 2", "inf", "nan", "0x10", "--1"})
    EXPECT_FALSE(parseNumberText(text).has_value()) << '"' << text << '"';
}

}  // namespace
}  // namespace plotmate
