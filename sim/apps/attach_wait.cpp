#include "sim/apps/attach_wait.h"

#include <thread>

#include "hosts/busy_retry.h"

namespace plotmate::sim {

namespace {

constexpr auto kPoll = std::chrono::milliseconds(100);

bool stillStarting(std::int32_t code) {
  return code == hr::kServerUnavailable || code == hr::kOperationUnavailable;
}

}  // namespace

Result<DispatchPtr> attachWhenUp(HostBroker& broker, std::string_view progId,
                                 std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    auto attached = broker.findRunning(progId);
    if (attached || !stillStarting(attached.error().code) ||
        std::chrono::steady_clock::now() >= deadline)
      return attached;
    std::this_thread::sleep_for(kPoll);
  }
}

bool waitUntilGone(HostBroker& broker, std::string_view progId,
                   std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (!broker.findRunning(progId)) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPoll);
  }
}

}  // namespace plotmate::sim
