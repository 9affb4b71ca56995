#pragma once
// What every object reached through one attach shares: how long a busy host
// is asked again, and whether the host has been found gone (after which every
// call on its objects fails at once, until the next attach makes a new link).

#include <memory>
#include <optional>

#include "hosts/busy_retry.h"

namespace plotmate::com {

struct HostLink {
  BusyRetryBound bound;
  RetryClock* clock = &systemRetryClock();
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
