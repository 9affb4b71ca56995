#pragma once
// A broker whose objects count every host call made through them, so that a
// long run can show that it is alive. Objects that a call returns (or writes
// into an output slot) count too; objects passed back to the host are handed
// over unwrapped, so the host always receives its own objects.

#include <cstdint>
#include <functional>

#include "hosts/broker.h"

namespace plotmate {

class CountingBroker final : public HostBroker {
 public:
  // `afterCall` runs after every host call with the number of calls so far.
  CountingBroker(HostBroker& inner, std::function<void(std::uint64_t)> afterCall)
      : inner_(inner), afterCall_(std::move(afterCall)) {}

  Result<DispatchPtr> findRunning(std::string_view progId) override;

  std::uint64_t calls() const { return calls_; }
  void resetCount() { calls_ = 0; }

 private:
  friend class CountingDispatch;
  void counted();

  HostBroker& inner_;
  std::function<void(std::uint64_t)> afterCall_;
  std::uint64_t calls_ = 0;
};

}  // namespace plotmate
