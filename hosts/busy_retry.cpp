#include "hosts/busy_retry.h"

#include <string>
#include <thread>

namespace plotmate {

CallFailure classifyFailure(std::int32_t code) {
  switch (code) {
    case hr::kCallRejected:
    case hr::kRetryLater:
      return CallFailure::Busy;
    case hr::kDisconnected:
    case hr::kServerUnavailable:
    case hr::kCallFailed:
      return CallFailure::HostGone;
    default:
      return CallFailure::Other;
  }
}

namespace {

constexpr std::string_view kBusyTimeoutText = "The program stayed busy and refused the call for ";
constexpr std::string_view kHostGoneText = "The program has closed or stopped answering: ";

class SystemRetryClock final : public RetryClock {
 public:
  TimePoint now() override { return std::chrono::steady_clock::now(); }
  void sleep(std::chrono::milliseconds pause) override { std::this_thread::sleep_for(pause); }
};

// "30 s", "0.25 s": the bound as a drafter reads it.
std::string secondsText(std::chrono::milliseconds span) {
  auto ms = span.count();
  std::string text = std::to_string(ms / 1000);
  if (auto rest = ms % 1000) {
    std::string frac = std::to_string(1000 + rest).substr(1);
    while (frac.back() == '0') frac.pop_back();
    text += "." + frac;
  }
  return text + " s";
}

}  // namespace

RetryClock& systemRetryClock() {
  static SystemRetryClock clock;
  return clock;
}

Error busyTimeoutError(const Error& last, std::chrono::milliseconds total) {
  return Error{last.code,
               std::string(kBusyTimeoutText) + secondsText(total) + ": " + last.description};
}

Error hostGoneError(const Error& platform) {
  return Error{platform.code, std::string(kHostGoneText) + platform.description};
}

bool tellsOfLostHost(std::string_view text) {
  return text.find(kBusyTimeoutText) != std::string_view::npos ||
         text.find(kHostGoneText) != std::string_view::npos;
}

}  // namespace plotmate
