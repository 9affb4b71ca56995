#pragma once
// Attaching to a running host through the Running Object Table: the ProgID's
// CLSID, then GetActiveObject. Never starts a host. A failure carries the
// system's description of the HRESULT (MK_E_UNAVAILABLE when the program is
// not running, CO_E_CLASSSTRING when it is not installed at all).

#include "hosts/broker.h"
#include "hosts/busy_retry.h"

namespace plotmate::com {

class ComHostBroker final : public HostBroker {
 public:
  // Objects reached through an attach retry a busy host within `bound`.
  explicit ComHostBroker(BusyRetryBound bound = {}, RetryClock* clock = nullptr)
      : bound_(bound), clock_(clock) {}

  Result<DispatchPtr> findRunning(std::string_view progId) override;
  // By the desktop's z-order.
  std::optional<std::size_t> frontmost(std::span<const std::int64_t> windows) override;

 private:
  BusyRetryBound bound_;
  RetryClock* clock_;
};

}  // namespace plotmate::com
