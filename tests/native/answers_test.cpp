#include "hosts/answers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plotmate {
namespace {

// Counts from either host: any numeric kind that holds a whole 32-bit number, nothing else.
TEST(Answers, WholeNumbersAreRangeCheckedNeverCast) {
  struct Case { Variant answer; std::optional<std::int32_t> read; };
  const Case cases[] = {
      {Variant(std::int16_t{-7}), -7},
      {Variant(std::int32_t{2147483647}), 2147483647},
      {Variant(3.0), 3},
      {Variant(-2147483648.0), -2147483647 - 1},
      {Variant(2147483648.0), std::nullopt},
      {Variant(-2147483649.0), std::nullopt},
      {Variant(3.5), std::nullopt},
      {Variant(std::nan("")), std::nullopt},
      {Variant(INFINITY), std::nullopt},
      {Variant("12"), std::nullopt},
      {Variant(), std::nullopt},
  };
  for (const auto& c : cases) {
    auto read = answerWholeNumber(c.answer);
    EXPECT_EQ(read ? std::optional(*read) : std::nullopt, c.read) << describe(c.answer);
    EXPECT_TRUE(read || read.error().code == hr::kTypeMismatch) << describe(c.answer);
  }
  const Result<Variant> failed = fail(hr::kFail, "gone");
  EXPECT_EQ(answerWholeNumber(failed).error().description, "gone");
  EXPECT_EQ(answerText(failed).error().description, "gone");
  EXPECT_FALSE(answerText(Variant(1.0)));
  EXPECT_FALSE(answerNumber(Variant("1")));
  EXPECT_FALSE(answerPoint(fromDoubles(std::vector<double>{1, 2})));
  EXPECT_FALSE(answerNumbers(Variant(VariantList{1.0, "x"})));  // every element must be a number
  EXPECT_EQ(*answerPoint(fromDoubles(std::vector<double>{1, 2, 3, 4})), (Point3{1, 2, 3}));
}

}  // namespace
}  // namespace plotmate
