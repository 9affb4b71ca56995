#pragma once
// The stand-in servers as a scenario's hosts (Windows build only): loads the
// scenario's state into "AutoCAD.Application" and "Excel.Application" through
// their test members, lends the COM broker the tools attach with, and reads
// each host's state back as the same JSON the in-process hosts report.

#include <filesystem>
#include <memory>
#include <string_view>

#include "hosts/broker.h"
#include "tools/scenario/scenario.h"

namespace plotmate::scenario {

class RemoteHosts {
 public:
  virtual ~RemoteHosts() = default;
  // Fails the run (scenarioError) when a server refuses the state.
  virtual void load(const Json& spec, const std::filesystem::path& sourceDir) = 0;
  virtual HostBroker& broker() = 0;
  // {"sheet": ...} or {"drawing": ...}, with "calls".
  virtual Json state(std::string_view progId) = 0;
};

// The servers already running in this desktop; fails the run (scenarioError)
// where COM is not available.
std::shared_ptr<RemoteHosts> connectRemoteHosts();

}  // namespace plotmate::scenario
