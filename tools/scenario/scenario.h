#pragma once
// What a scenario run shares between its parts: the scenario as read, the
// stand-in hosts it set up, and the result being assembled.

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "shell/settings.h"
#include "sim/state/state_json.h"

namespace plotmate::scenario {

class RemoteHosts;

struct Context {
  Json spec;                        // the scenario file
  std::filesystem::path sourceDir;  // where the scenario file lives (relative paths start here)
  std::filesystem::path workDir;    // the tool's current directory: "config", "DistOut.txt"
  Settings settings;                // the record as the scenario set it
  Json result = Json::object();
  std::shared_ptr<RemoteHosts> remote;  // set when the scenario plays over COM
};

// A tool as the runner knows it: sets up what it needs from the context and
// writes its part of the result.
using ToolRunner = std::function<void(Context&)>;

const std::map<std::string, ToolRunner>& toolRunners();

// "clicks": how many times the tool's button is clicked (1 to 10,000; default 1).
int clicksOf(const Context& context);

// A box's state from the scenario ("Check3": 1), as a 16-bit value.
std::int16_t boxState(const Json& value, const std::string& field);

}  // namespace plotmate::scenario
