#pragma once
// One scenario played to its result: the tool runs in a fresh, empty current
// directory, and the result is the JSON the runner prints.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "tools/scenario/scenario.h"

namespace plotmate::scenario {

struct PlayOptions {
  std::shared_ptr<RemoteHosts> remote;  // set to play over COM
  // Called after the tool ran, before its directory is removed: the files it
  // left ("config", "DistOut.txt") can be looked at there.
  std::function<void(const Context&)> afterRun;
};

// Throws (std::exception) when the scenario itself is at fault.
Json playScenario(Json spec, const std::filesystem::path& sourceDir, const std::string& name,
                  const PlayOptions& options = {});

}  // namespace plotmate::scenario
