#include "hosts/com/message_filter.h"

#include <atomic>

namespace plotmate::com {

namespace {

constexpr DWORD kGiveUp = static_cast<DWORD>(-1);

thread_local bool busyWaitWaived = false;

class BusyHostFilter final : public IMessageFilter {
 public:
  explicit BusyHostFilter(BusyRetryBound bound) : bound_(bound) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return QueryOne<IMessageFilter>(this, iid, IID_IMessageFilter, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // Incoming calls (this program serves none of its own) are always taken.
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return SERVERCALL_ISHANDLED;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsedMs, DWORD rejectType) override {
    return retryRejectedCallAnswer(bound_, elapsedMs, rejectType);
  }
  // Window messages arriving while a call waits are handled as usual.
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
    return PENDINGMSG_WAITDEFPROCESS;
  }

 private:
  std::atomic<ULONG> refs_{1};
  BusyRetryBound bound_;
};

}  // namespace

DWORD retryRejectedCallAnswer(const BusyRetryBound& bound, DWORD elapsedMs, DWORD rejectType) {
  if (rejectType != SERVERCALL_RETRYLATER || busyWaitWaived) return kGiveUp;
  const auto total = static_cast<DWORD>(bound.total.count());
  if (elapsedMs >= total) return kGiveUp;
  const auto pause = static_cast<DWORD>(bound.longestPause.count());
  return pause < total - elapsedMs ? pause : total - elapsedMs;
}

NoBusyWait::NoBusyWait() : waivedBefore_(busyWaitWaived) { busyWaitWaived = true; }

void restoreBusyWait(std::optional<bool>& waivedBefore) {
  if (waivedBefore) busyWaitWaived = *waivedBefore;
}

ScopedMessageFilter::ScopedMessageFilter(BusyRetryBound bound) {
  // COM takes a reference of its own while the filter is registered.
  auto filter = ComPtr<IMessageFilter>::adopt(new BusyHostFilter(bound));
  PreviousFilter previous;
  previous.registered = SUCCEEDED(CoRegisterMessageFilter(filter.get(), previous.filter.out()));
  previous_.reset(std::move(previous));
}

void restorePreviousFilter(PreviousFilter& previous) {
  if (!previous.registered) return;
  ComPtr<IMessageFilter> ours;
  CoRegisterMessageFilter(previous.filter.get(), ours.out());
}

}  // namespace plotmate::com
