#include "tools/scenario/play.h"

#include <random>

#include "tools/scenario/settings_io.h"

namespace fs = std::filesystem;

namespace plotmate::scenario {

namespace {

// A fresh, empty current directory for the tool, so "config" and
// "DistOut.txt" of one scenario never meet another's.
fs::path freshWorkDir(const std::string& name) {
  auto dir = fs::temp_directory_path() /
             ("plotmate-scenario-" + name + "-" + std::to_string(std::random_device{}()));
  fs::create_directories(dir);
  return dir;
}

// Back to the previous current directory and the tool's one removed, however
// the run ends.
class WorkDirectory {
 public:
  explicit WorkDirectory(const fs::path& dir) : dir_(dir), previous_(fs::current_path()) {
    fs::current_path(dir_);
  }
  ~WorkDirectory() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(dir_, ignored);
  }
  WorkDirectory(const WorkDirectory&) = delete;
  WorkDirectory& operator=(const WorkDirectory&) = delete;

 private:
  fs::path dir_, previous_;
};

}  // namespace

Json playScenario(Json spec, const fs::path& sourceDir, const std::string& name,
                  const PlayOptions& options) {
  if (!spec.is_object()) scenarioError("a scenario is a JSON object");
  Context context;
  context.spec = std::move(spec);
  context.sourceDir = sourceDir;
  context.remote = options.remote;
  const Json tool = context.spec.value("tool", Json(""));
  if (!tool.is_string()) scenarioError("tool: a name");
  const auto& runners = toolRunners();
  auto it = runners.find(tool.get<std::string>());
  if (it == runners.end()) scenarioError("unknown tool \"" + tool.get<std::string>() + "\"");

  applySettings(context);
  context.workDir = freshWorkDir(name);
  {
    WorkDirectory inside(context.workDir);
    it->second(context);
    if (options.afterRun) options.afterRun(context);
  }

  Json out = Json::object();
  if (context.spec.contains("title")) out["title"] = context.spec["title"];
  out["tool"] = tool;
  for (auto& [key, value] : context.result.items()) out[key] = value;
  return out;
}

}  // namespace plotmate::scenario
