#pragma once
// The thread's OLE message filter. On Windows, a call that a busy host turns
// away with "retry later" is repeated by COM itself while this filter says so:
// here, until the same bound the client's own retry uses has passed since the
// call began. Calls the host rejected outright come back to the client, which
// retries them within what is left of the bound. (Wine never consults the
// filter; there the client's retry does all the work.)

#include <windows.h>

#include <objidl.h>

#include "hosts/busy_retry.h"

namespace plotmate::com {

// Registers the filter for the calling thread (which must be in a
// single-threaded apartment) and puts the previous one back at the end.
class ScopedMessageFilter {
 public:
  explicit ScopedMessageFilter(BusyRetryBound bound = {});
  ScopedMessageFilter(const ScopedMessageFilter&) = delete;
  ScopedMessageFilter& operator=(const ScopedMessageFilter&) = delete;
  ~ScopedMessageFilter();
  bool registered() const { return registered_; }

 private:
  IMessageFilter* previous_ = nullptr;
  bool registered_ = false;
};

// What the filter answers, apart from COM: the pause before the next try in
// milliseconds, or -1 to give up (as RetryRejectedCall returns).
DWORD retryRejectedCallAnswer(const BusyRetryBound& bound, DWORD elapsedMs, DWORD rejectType);

// While one lives, the calling thread's filter gives up on a busy host at
// once: a call to a host that has already stayed busy for the whole bound is
// tried once, not waited for again.
class NoBusyWait {
 public:
  NoBusyWait();
  NoBusyWait(const NoBusyWait&) = delete;
  NoBusyWait& operator=(const NoBusyWait&) = delete;
  ~NoBusyWait();

 private:
  bool previous_;
};

}  // namespace plotmate::com
