#include "format/number_read.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace plotmate {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct ReadCase { std::string text; double number; };

TEST(LeadingNumber, LongestLeadingDecimalNumberSkippingBlanks) {
  const ReadCase cases[] = {
      {"12.5abc", 12.5},
      {" - 1 2 . 5 ", -12.5},
      {"+4", 4},
      {"5.", 5},
      {".5", 0.5},
      {"-.5", -0.5},
      {"1.2.3", 1.2},
      {"1,5", 1},  // no locale: the comma ends the number
      {".", 0},
      {"-", 0},
      {"--1", 0},
      {"\t5", 0},  // only blanks are skipped here
      {"&H10", 0},
      // Exponents are read; an "e" with no digits after it is not part of the number.
      {"1e3", 1000},
      {"1E-2", 0.01},
      {"1.5e+1", 15},
      {"1 e 3", 1000},
      {"1e", 1},
      {"1e+", 1},
      {"2ex", 2},
      {"0e500", 0},
      // Beyond the double range.
      {"1e400", kInfinity},
      {"-1e400", -kInfinity},
      {std::string(400, '9'), kInfinity},
      {"1e99999999999999999999", kInfinity},
      {"1e-400", 0},
      {"0." + std::string(400, '0') + "1", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.number) << '"' << c.text << '"';
}

TEST(LeadingNumber, IgnoredCharactersAreAParameter) {
  EXPECT_EQ(LeadingNumber("1\t0"), 1);
  EXPECT_EQ(LeadingNumber("1\t0", kBlankTabLineFeed), 10);
  EXPECT_EQ(LeadingNumber("\n-\t2 .5", kBlankTabLineFeed), -2.5);
  EXPECT_EQ(LeadingNumber("1_000", "_"), 1000);
}

struct PrecisionCase { std::string text; int precision; };

// Halves, a leading number, an empty text and 99999 typed into the settings
// window are SETfrm's cases.
TEST(ReadPrecisionText, RoundsHalfToEvenAndClamps) {
  const PrecisionCase cases[] = {
      {"3", 3},
      {"abc", 0},
      {"1 0", 10},
      {"-2", -2},
      {"1\t0", 10},
      {"\t 7 \n", 7},
      {"\r5", 0},  // a carriage return is not skipped
      {"2.5", 2},
      {"-2.5", -2},
      {"-3.5", -4},
      {"0.5", 0},
      {"1e1", 10},
      // Out of the 16-bit range: held at the nearest end, never wrapped.
      {"32767", 32767},
      {"32767.5", 32767},
      {"65539", 32767},
      {"-32768", -32768},
      {"-32768.5", -32768},
      {"-99999", -32768},
      {"1e400", 32767},
      {"-1e400", -32768},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadPrecisionText(c.text), c.precision) << '"' << c.text << '"';
}

}  // namespace
}  // namespace plotmate
