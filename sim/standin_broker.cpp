#include "sim/standin_broker.h"

namespace plotmate::sim {

void StandInBroker::setRunning(std::string_view progId, DispatchPtr application) {
  running_[lowerAscii(progId)] = std::move(application);
}

void StandInBroker::setNotRunning(std::string_view progId) { running_.erase(lowerAscii(progId)); }

Result<DispatchPtr> StandInBroker::findRunning(std::string_view progId) {
  auto it = running_.find(lowerAscii(progId));
  if (it == running_.end() || !it->second) return std::unexpected(notRunningError());
  return it->second;
}

std::optional<std::size_t> StandInBroker::frontmost(std::span<const std::int64_t> windows) {
  for (auto window : windowOrder)
    for (std::size_t i = 0; i < windows.size(); ++i)
      if (windows[i] == window) return i;
  return std::nullopt;
}

Error notRunningError() { return Error{hr::kOperationUnavailable, "Operation unavailable"}; }

}  // namespace plotmate::sim
