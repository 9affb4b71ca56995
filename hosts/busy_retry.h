#pragma once
// How a failed host call is treated: a busy host (a modal dialog open, a
// command running) is asked again for a bounded time; a host that has gone
// away fails at once. Windows' COM message filter would do the retrying, but
// Wine never consults it, so the client does it itself with the same bound.

#include <chrono>
#include <cstdint>
#include <string_view>

#include "base/result.h"

namespace plotmate {

namespace hr {
inline constexpr std::int32_t kCallRejected = static_cast<std::int32_t>(0x80010001u);
inline constexpr std::int32_t kRetryLater = static_cast<std::int32_t>(0x8001010Au);
inline constexpr std::int32_t kDisconnected = static_cast<std::int32_t>(0x80010108u);
inline constexpr std::int32_t kServerUnavailable = static_cast<std::int32_t>(0x800706BAu);
inline constexpr std::int32_t kCallFailed = static_cast<std::int32_t>(0x800706BEu);
}  // namespace hr

enum class CallFailure { Busy, HostGone, Other };
CallFailure classifyFailure(std::int32_t code);

struct BusyRetryBound {
  std::chrono::milliseconds total{30000};  // from the first attempt to giving up
  std::chrono::milliseconds firstPause{10};
  std::chrono::milliseconds longestPause{500};
};

class RetryClock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  virtual ~RetryClock() = default;
  virtual TimePoint now() = 0;
  virtual void sleep(std::chrono::milliseconds pause) = 0;
};

RetryClock& systemRetryClock();

// The error a call ends with after the host stayed busy for the whole bound.
Error busyTimeoutError(const Error& last, std::chrono::milliseconds total);
// The error of a call to a host that has closed or stopped answering.
Error hostGoneError(const Error& platform);
// Whether a text holds the description of one of the two errors above.
bool tellsOfLostHost(std::string_view text);

// Calls `attempt` (returning Result<T>) until it succeeds, fails for a reason
// other than a busy host, or the bound is spent. Pauses double from
// firstPause up to longestPause and never run past the bound.
template <class Attempt>
auto retryWhileBusy(const BusyRetryBound& bound, RetryClock& clock, Attempt&& attempt)
    -> decltype(attempt()) {
  const auto start = clock.now();
  auto pause = bound.firstPause;
  for (;;) {
    auto result = attempt();
    if (result || classifyFailure(result.error().code) != CallFailure::Busy) return result;
    auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(clock.now() - start);
    auto left = bound.total - spent;
    if (left <= std::chrono::milliseconds::zero())
      return std::unexpected(busyTimeoutError(result.error(), bound.total));
    clock.sleep(pause < left ? pause : left);
    pause = pause * 2 < bound.longestPause ? pause * 2 : bound.longestPause;
  }
}

}  // namespace plotmate
