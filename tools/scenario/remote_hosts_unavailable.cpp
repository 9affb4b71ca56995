// Native build: there is no COM to play a scenario over.

#include "tools/scenario/remote_hosts.h"

namespace plotmate::scenario {

std::shared_ptr<RemoteHosts> connectRemoteHosts() {
  scenarioError("--com needs the Windows build, with the stand-in servers running");
}

}  // namespace plotmate::scenario
