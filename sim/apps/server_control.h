#pragma once
// The object a stand-in server publishes: the host's application object with
// a few members of the server's own in front of it. "Quit" ends the server,
// as it ends the real programs; members named "Sim..." exist only for tests
// (making the host busy here; queueing picks, injecting faults, reading the
// state and the call log where a host adds them). Everything else goes to
// the application untouched.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hosts/dispatch.h"

namespace plotmate::sim {

struct ControlMember {
  std::string name;
  std::function<Result<Variant>(std::span<Variant>)> handler;
};

// What a stand-in server offers.
struct ServedHost {
  DispatchPtr application;
  std::vector<ControlMember> controls;  // test members of this host
};

class ServerControl final : public Dispatch {
 public:
  ServerControl(ServedHost host, std::function<void()> quit);
  ~ServerControl() override;

  Result<Variant> invoke(std::string_view name, CallKind kind, std::span<Variant> args) override;

 private:
  struct BusyHost;

  const ControlMember* findControl(std::string_view name) const;
  Result<Variant> rejectNextCalls(std::span<Variant> args);

  DispatchPtr application_;
  std::vector<ControlMember> controls_;
  std::shared_ptr<BusyHost> busy_;
};

}  // namespace plotmate::sim
