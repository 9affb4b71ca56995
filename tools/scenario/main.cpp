// plotmate_scenario [--expect EXPECTED.json] SCENARIO.json
// Runs one tool on the in-process stand-ins and prints its result as JSON;
// with --expect, compares the result with a stored one instead.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "tools/scenario/scenario.h"
#include "tools/scenario/settings_io.h"

namespace fs = std::filesystem;
using plotmate::scenario::Json;

namespace plotmate::scenario {

void scenarioError(const std::string& message) { throw std::runtime_error(message); }

}  // namespace plotmate::scenario

namespace {

Json readJson(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) plotmate::scenario::scenarioError("cannot open " + path.string());
  try {
    return Json::parse(in);
  } catch (const Json::parse_error& e) {
    plotmate::scenario::scenarioError(path.string() + ": " + e.what());
  }
}

// A fresh, empty current directory for the tool, so "config" and
// "DistOut.txt" of one scenario never meet another's.
fs::path freshWorkDir(const fs::path& scenario) {
  auto dir = fs::temp_directory_path() / ("plotmate-scenario-" + scenario.stem().string() + "-" +
                                          std::to_string(std::random_device{}()));
  fs::create_directories(dir);
  return dir;
}

Json run(const fs::path& scenarioPath) {
  using namespace plotmate::scenario;
  Context context;
  context.spec = readJson(scenarioPath);
  context.sourceDir = fs::absolute(scenarioPath).parent_path();
  context.workDir = freshWorkDir(scenarioPath);
  const auto tool = context.spec.value("tool", std::string());
  const auto& runners = toolRunners();
  auto it = runners.find(tool);
  if (it == runners.end()) scenarioError("unknown tool \"" + tool + "\"");

  applySettings(context);
  auto previous = fs::current_path();
  fs::current_path(context.workDir);
  it->second(context);
  fs::current_path(previous);

  Json out = Json::object();
  if (context.spec.contains("title")) out["title"] = context.spec["title"];
  out["tool"] = tool;
  for (auto& [key, value] : context.result.items()) out[key] = value;
  fs::remove_all(context.workDir);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  fs::path expected, scenario;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--expect" && i + 1 < argc)
      expected = argv[++i];
    else
      scenario = arg;
  }
  if (scenario.empty()) {
    std::cerr << "usage: plotmate_scenario [--expect EXPECTED.json] SCENARIO.json\n";
    return 2;
  }
  try {
    Json result = run(scenario);
    std::string text = result.dump(2) + "\n";
    if (expected.empty()) {
      std::cout << text;
      return 0;
    }
    Json want = readJson(expected);
    if (want == result) return 0;
    std::cout << "result differs from " << expected.string() << ":\n"
              << Json::diff(want, result).dump(2) << "\nfull result:\n"
              << text;
    return 1;
  } catch (const std::exception& e) {
    std::cerr << scenario.string() << ": " << e.what() << "\n";
    return 2;
  }
}
