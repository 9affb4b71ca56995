#pragma once
// What every object reached through one attach shares: how long a busy host
// is asked again, whether it has already stayed busy for that long (after
// which calls are tried once, not waited for), and whether the host has been
// found gone (after which every call on its objects fails at once). The next
// attach makes a new link.

#include <memory>
#include <optional>

#include "hosts/busy_retry.h"

namespace plotmate::com {

struct HostLink {
  BusyRetryBound bound;
  RetryClock* clock = &systemRetryClock();
  std::optional<Error> stayedBusy;  // the first call that gave up on a busy host
  std::optional<Error> gone;
};
using HostLinkPtr = std::shared_ptr<HostLink>;

inline HostLinkPtr makeHostLink(BusyRetryBound bound = {}, RetryClock* clock = nullptr) {
  auto link = std::make_shared<HostLink>();
  link->bound = bound;
  if (clock) link->clock = clock;
  return link;
}

}  // namespace plotmate::com
