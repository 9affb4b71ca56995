#pragma once
// A stand-in host served under test control. Besides the fault and call-log
// members of every server it offers:
//
//   SimLoadState(scenario JSON text [, folder])  replaces the host by a fresh
//       one in the scenario's state (files named in it are found in folder)
//   SimState() -> JSON text     the host's state and call log, as the
//                               scenario runner reports them
//   SimQueuePicks(JSON text)    adds a list of picks (drawing host)
//   SimSave(path)               saves the sheet as CSV, the drawing as DXF
//
// A refused state leaves the current host as it was.

#include <filesystem>
#include <functional>
#include <memory>

#include "sim/apps/server_control.h"
#include "sim/sim_object.h"
#include "sim/state/state_json.h"

namespace plotmate::sim {

// One host as the server holds it.
struct StandInSlot {
  DispatchPtr application;
  std::shared_ptr<HostContext> context;
  std::function<scenario::Json()> state;
  std::function<Result<void>(const std::filesystem::path&)> save;
  std::function<void(const scenario::Json&)> queuePicks;  // null: the host takes no picks
};

// Builds a host from a scenario; may throw (scenarioError, JSON errors).
using StandInLoader =
    std::function<StandInSlot(const scenario::Json& spec, const std::filesystem::path& folder)>;

ServedHost serveStandIn(StandInSlot initial, StandInLoader loader);

// The host as the server starts it: the files from its command line loaded
// by `loader` (JSON key `key`, e.g. "sheet"/"csv"), or an empty one.
Result<StandInSlot> startingStandIn(const StandInLoader& loader,
                                    const std::vector<std::string>& files, const char* section,
                                    const char* key);

}  // namespace plotmate::sim
