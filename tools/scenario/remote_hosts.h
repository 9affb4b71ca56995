#pragma once
// The stand-in servers as a scenario's hosts (Windows build only): loads the
// scenario's state into "AutoCAD.Application" and "Excel.Application" through
// their test members, lends the COM broker the tools attach with, and reads
// each host's state back as the same JSON the in-process hosts report.
// With a profile for a kind (--profile zwcad), the runner starts a server
// posing as that program for the whole run, under the program's own class
// names, and that server is the kind's host.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/broker.h"
#include "sim/host_profile.h"
#include "tools/scenario/scenario.h"

namespace plotmate::scenario {

class RemoteHosts {
 public:
  virtual ~RemoteHosts() = default;
  // Fails the run (scenarioError) when a server refuses the state.
  virtual void load(const Json& spec, const std::filesystem::path& sourceDir) = 0;
  virtual HostBroker& broker() = 0;
  // {"sheet": ...} or {"drawing": ...}, with "calls".
  virtual Json state(HostKind kind) = 0;
  // The program the kind's server poses as.
  virtual const sim::HostProfile& profile(HostKind kind) const = 0;
  // The title of the top-level window a host's reported main window handle
  // comes forward as (its root, on this desktop); none when it is no window here.
  virtual std::optional<std::string> windowTitle(std::int64_t handle) const = 0;
};

// The servers already running in this desktop, and a server started for
// each of `profiles` in place of its kind's; fails the run (scenarioError)
// where COM is not available or a server does not start.
std::shared_ptr<RemoteHosts> connectRemoteHosts(const std::vector<const sim::HostProfile*>& profiles);

}  // namespace plotmate::scenario
