#pragma once
// The in-process Running Object Table: serves the stand-in hosts that a test
// or scenario says are running, and answers for the others as Windows does
// for a program that is not running.

#include <map>
#include <string>
#include <vector>

#include "hosts/broker.h"

namespace plotmate::sim {

class StandInBroker : public HostBroker {
 public:
  void setRunning(std::string_view progId, DispatchPtr application);
  void setNotRunning(std::string_view progId);
  Result<DispatchPtr> findRunning(std::string_view progId) override;
  // The index of the window that comes first in `windowOrder`.
  std::optional<std::size_t> frontmost(std::span<const std::int64_t> windows) override;

  // The desktop's top-level windows, the highest first; empty: the order
  // cannot be told.
  std::vector<std::int64_t> windowOrder;

 private:
  std::map<std::string, DispatchPtr> running_;  // key: lower-case ProgID
};

// GetActiveObject's answer when no such object is registered (MK_E_UNAVAILABLE).
Error notRunningError();

}  // namespace plotmate::sim
