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

Error notRunningError() { return Error{hr::kOperationUnavailable, "Operation unavailable"}; }

}  // namespace plotmate::sim
