#pragma once
// A broker whose objects count every host call made through them, so that a
// long run can show that it is alive, and tell of every call that failed,
// with the automation class of the host that refused it. Objects that a call returns (or writes
// into an output slot) count too; objects passed back to the host are handed
// over unwrapped, so the host always receives its own objects.

#include <cstdint>
#include <functional>
#include <string_view>

#include "hosts/broker.h"

namespace plotmate {

class CountingBroker final : public HostBroker {
 public:
  using FailedCall = std::function<void(std::string_view progId, const Error& error)>;
  // `afterCall` runs after every host call with the number of calls so far;
  // `failed` first, when the call failed.
  CountingBroker(HostBroker& inner, std::function<void(std::uint64_t)> afterCall,
                 FailedCall failed = {})
      : inner_(inner), afterCall_(std::move(afterCall)), failed_(std::move(failed)) {}

  Result<DispatchPtr> findRunning(std::string_view progId) override;
  std::optional<std::size_t> frontmost(std::span<const std::int64_t> windows) override {
    return inner_.frontmost(windows);
  }

  std::uint64_t calls() const { return calls_; }
  void resetCount() { calls_ = 0; }

 private:
  friend class CountingDispatch;
  void counted(std::string_view progId, const Result<Variant>& result);

  HostBroker& inner_;
  std::function<void(std::uint64_t)> afterCall_;
  FailedCall failed_;
  std::uint64_t calls_ = 0;
};

}  // namespace plotmate
