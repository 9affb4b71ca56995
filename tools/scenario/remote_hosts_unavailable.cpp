// Native build: there is no COM to play a scenario over.

#include "tools/scenario/remote_hosts.h"

namespace plotmate::scenario {

std::shared_ptr<RemoteHosts> connectRemoteHosts(const std::vector<const sim::HostProfile*>&) {
  scenarioError("--com needs the Windows build, with the stand-in servers running");
}

}  // namespace plotmate::scenario
