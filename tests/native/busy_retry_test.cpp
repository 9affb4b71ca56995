#include "hosts/busy_retry.h"

#include <gtest/gtest.h>

#include <vector>

namespace plotmate {
namespace {

using std::chrono::milliseconds;

// Time passes only when the retry loop sleeps (plus a fixed cost per attempt).
class FakeClock final : public RetryClock {
 public:
  explicit FakeClock(milliseconds perAttempt = milliseconds(0)) : perAttempt_(perAttempt) {}
  TimePoint now() override { return TimePoint(elapsed); }
  void sleep(milliseconds pause) override {
    pauses.push_back(pause);
    elapsed += pause;
  }
  void attempted() { elapsed += perAttempt_; }

  milliseconds elapsed{0};
  std::vector<milliseconds> pauses;

 private:
  milliseconds perAttempt_;
};

// Fails with `code` for the first `failures` attempts, then answers 42.
struct ScriptedHost {
  FakeClock& clock;
  int failures;
  std::int32_t code;
  int attempts = 0;

  Result<int> operator()() {
    ++attempts;
    clock.attempted();
    if (failures < 0 || attempts <= failures) return fail(code, "platform text");
    return 42;
  }
};

const BusyRetryBound kBound{milliseconds(1000), milliseconds(10), milliseconds(200)};

TEST(BusyRetry, ClassifiesHostStates) {
  struct Case { std::uint32_t code; CallFailure kind; };
  const Case cases[] = {
      {0x80010001u, CallFailure::Busy},     {0x8001010Au, CallFailure::Busy},
      {0x80010108u, CallFailure::HostGone}, {0x800706BAu, CallFailure::HostGone},
      {0x800706BEu, CallFailure::HostGone}, {0x80020009u, CallFailure::Other},
      {0x800401E3u, CallFailure::Other},    {0x80004005u, CallFailure::Other},
  };
  for (const auto& c : cases)
    EXPECT_EQ(classifyFailure(static_cast<std::int32_t>(c.code)), c.kind) << std::hex << c.code;
}

TEST(BusyRetry, BusyHostIsAskedAgainWithGrowingPauses) {
  for (std::int32_t busy : {hr::kCallRejected, hr::kRetryLater}) {
    FakeClock clock;
    ScriptedHost host{clock, 6, busy};
    auto result = retryWhileBusy(kBound, clock, host);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, 42);
    EXPECT_EQ(host.attempts, 7);
    const std::vector<milliseconds> expected{milliseconds(10),  milliseconds(20),
                                             milliseconds(40),  milliseconds(80),
                                             milliseconds(160), milliseconds(200)};
    EXPECT_EQ(clock.pauses, expected);
  }
}

TEST(BusyRetry, HostBusyForeverFailsWhenTheBoundIsSpent) {
  struct Case { const char* name; milliseconds perAttempt; };
  // Slow attempts count against the bound too.
  for (const Case& c : {Case{"instant attempts", milliseconds(0)},
                        Case{"slow attempts", milliseconds(70)}}) {
    FakeClock clock(c.perAttempt);
    ScriptedHost host{clock, -1, hr::kCallRejected};
    auto result = retryWhileBusy(kBound, clock, host);
    ASSERT_FALSE(result.has_value()) << c.name;
    EXPECT_EQ(result.error().code, hr::kCallRejected) << c.name;
    EXPECT_EQ(result.error().description,
              "The program stayed busy and refused the call for 1 s: platform text")
        << c.name;
    EXPECT_GE(clock.elapsed, kBound.total) << c.name;
    EXPECT_LT(clock.elapsed, kBound.total + c.perAttempt + milliseconds(1)) << c.name;
    for (auto pause : clock.pauses) EXPECT_LE(pause, kBound.longestPause) << c.name;
  }
}

TEST(BusyRetry, GoneHostAndOtherErrorsAreNotRetried) {
  for (std::int32_t code : {hr::kDisconnected, hr::kServerUnavailable, hr::kCallFailed,
                            hr::kException, hr::kUnknownName}) {
    FakeClock clock;
    ScriptedHost host{clock, -1, code};
    auto result = retryWhileBusy(kBound, clock, host);
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error(), (Error{code, "platform text"}));
    EXPECT_EQ(host.attempts, 1);
    EXPECT_TRUE(clock.pauses.empty());
  }
}

TEST(BusyRetry, ErrorTextsNameTheBoundAndKeepThePlatformText) {
  const Error platform{hr::kServerUnavailable, "The RPC server is unavailable."};
  EXPECT_EQ(hostGoneError(platform),
            (Error{hr::kServerUnavailable,
                   "The program has closed or stopped answering: The RPC server is unavailable."}));
  EXPECT_EQ(busyTimeoutError(platform, milliseconds(30000)).description,
            "The program stayed busy and refused the call for 30 s: The RPC server is unavailable.");
  EXPECT_EQ(busyTimeoutError(platform, milliseconds(250)).description,
            "The program stayed busy and refused the call for 0.25 s: The RPC server is unavailable.");
}

}  // namespace
}  // namespace plotmate
