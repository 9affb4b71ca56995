#pragma once
// The thread's OLE message filter. On Windows, a call that a busy host turns
// away with "retry later" is repeated by COM itself while this filter says so:
// here, until the same bound the client's own retry uses has passed since the
// call began. Calls the host rejected outright come back to the client, which
// retries them within what is left of the bound. (Wine never consults the
// filter; there the client's retry does all the work.)

#include <windows.h>

#include <objidl.h>

#include <optional>

#include "base/unique_owner.h"
#include "hosts/busy_retry.h"
#include "hosts/com/com_ptr.h"

namespace plotmate::com {

// The filter a thread had before ours, put back when ours goes.
struct PreviousFilter {
  bool registered = false;  // ours went in, so the previous one (null or not) goes back
  ComPtr<IMessageFilter> filter;
};
void restorePreviousFilter(PreviousFilter& previous);

// Registers the filter for the calling thread (which must be in a
// single-threaded apartment) and puts the previous one back at the end.
class ScopedMessageFilter {
 public:
  explicit ScopedMessageFilter(BusyRetryBound bound = {});
  bool registered() const { return previous_.get().registered; }

 private:
  UniqueOwner<PreviousFilter, &restorePreviousFilter> previous_;
};

// What the filter answers, apart from COM: the pause before the next try in
// milliseconds, or -1 to give up (as RetryRejectedCall returns).
DWORD retryRejectedCallAnswer(const BusyRetryBound& bound, DWORD elapsedMs, DWORD rejectType);

void restoreBusyWait(std::optional<bool>& waivedBefore);

// While one lives, the calling thread's filter gives up on a busy host at
// once: a call to a host that has already stayed busy for the whole bound is
// tried once, not waited for again.
class NoBusyWait {
 public:
  NoBusyWait();

 private:
  UniqueOwner<std::optional<bool>, &restoreBusyWait> waivedBefore_;
};

}  // namespace plotmate::com
