#include "base/unique_owner.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/result.h"

namespace plotmate {
namespace {

std::vector<int> closed;
void closeNumber(int n) { closed.push_back(n); }
using OwnedNumber = UniqueOwner<int, &closeNumber>;

// An aggregate owner, as a VARIANT is held: closed whatever it holds.
struct Box {
  int contents = 0;
};
void emptyBox(Box& box) {
  closed.push_back(box.contents);
  box.contents = 0;
}
using OwnedBox = UniqueOwner<Box, &emptyBox>;

// A value that owns nothing other than the default (INVALID_HANDLE_VALUE's case).
constexpr int none() { return -1; }
using OwnedMinusOne = UniqueOwner<int, &closeNumber, &none>;

TEST(UniqueOwner, ClosesWhatItHoldsExactlyOnce) {
  struct Case {
    const char* what;
    void (*steps)();
    std::vector<int> closed;
  };
  const Case cases[] = {
      {"goes out of scope", [] { OwnedNumber n(7); }, {7}},
      {"owns nothing", [] { OwnedNumber n; }, {}},
      {"released", [] { OwnedNumber n(7); EXPECT_EQ(n.release(), 7); }, {}},
      {"reset to another", [] { OwnedNumber n(7); n.reset(8); }, {7, 8}},
      {"reset to nothing", [] { OwnedNumber n(7); n.reset(); EXPECT_FALSE(n); }, {7}},
      {"moved from", [] { OwnedNumber a(7); OwnedNumber b(std::move(a)); EXPECT_FALSE(a); }, {7}},
      {"moved onto an owner", [] { OwnedNumber a(7), b(8); b = std::move(a); }, {8, 7}},
      {"moved onto itself", [] { OwnedNumber a(7); auto& same = a; a = std::move(same); }, {7}},
      {"an empty box", [] { OwnedBox box; }, {0}},
      {"a box", [] { OwnedBox box(Box{5}); }, {5}},
      {"another empty value", [] { OwnedMinusOne n; EXPECT_FALSE(n); }, {}},
      {"zero, with -1 for empty", [] { OwnedMinusOne n(0); EXPECT_TRUE(n); }, {0}},
  };
  for (const auto& c : cases) {
    closed.clear();
    c.steps();
    EXPECT_EQ(closed, c.closed) << c.what;
  }
}

Result<int> half(int n) {
  if (n % 2 != 0) return fail(hr::kInvalidArg, "odd");
  return n / 2;
}

Result<int> quarter(int n) {
  PLOTMATE_TRY(h, half(n));
  return half(*h);
}

Result<void> checkEven(int n) {
  const auto h = half(n);
  PLOTMATE_RETURN_IF_FAILED(h);
  return {};
}

int calls = 0;
Result<int> countedHalf(int n) {
  ++calls;
  return half(n);
}

// A call as the argument: made once, whether it fails or not.
Result<void> checkEvenByCall(int n) {
  PLOTMATE_RETURN_IF_FAILED(countedHalf(n));
  return {};
}

TEST(Propagation, ForwardsTheFirstErrorAndOtherwiseGoesOn) {
  EXPECT_EQ(quarter(8), 2);
  EXPECT_EQ(quarter(6).error().description, "odd");  // the second step fails
  EXPECT_EQ(quarter(5).error().description, "odd");  // the first step fails
  EXPECT_TRUE(checkEven(4));
  EXPECT_EQ(checkEven(3).error().code, hr::kInvalidArg);
  for (int n : {4, 3}) {
    calls = 0;
    EXPECT_EQ(checkEvenByCall(n).has_value(), n == 4) << n;
    EXPECT_EQ(calls, 1) << n;
  }
}

}  // namespace
}  // namespace plotmate
