#include "tools/scenario/fault_sweep.h"

#include <fstream>
#include <iterator>

#include "format/output_file.h"
#include "shell/config_file.h"
#include "tools/scenario/play.h"

namespace fs = std::filesystem;

namespace plotmate::scenario {

namespace {

constexpr const char* kHosts[] = {"excel", "acad"};

std::string bytesOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What the files the run left say about it; empty when all is well.
std::string fileFaults(const Context& context) {
  std::string found;
  const fs::path output = context.workDir / kOutputFileName;
  if (fs::exists(output)) {
    const std::string before = context.spec.value("outputFile", std::string());
    const std::string after = bytesOf(output);
    if (!after.starts_with(before))
      found += " DistOut.txt lost what it held;";
    else if (after.size() > before.size() && !after.ends_with("\r\n"))
      found += " DistOut.txt ends inside a record;";
  }
  const fs::path config = context.workDir / "config";
  if (fs::exists(config)) {
    Settings settings;
    auto loaded = LoadConfig(config, Utf8Codec{}, settings);
    if (!loaded || !loaded->complete || !loaded->unreadable.empty()) found += " config is not whole;";
  }
  return found;
}

}  // namespace

std::vector<std::size_t> sweepSample(std::size_t count, std::size_t most) {
  std::vector<std::size_t> ks;
  if (count == 0 || most == 0) return ks;
  if (count <= most || most == 1) {
    for (std::size_t k = 1; k <= count && ks.size() < most; ++k) ks.push_back(k);
    return ks;
  }
  for (std::size_t i = 0; i < most; ++i) ks.push_back(1 + i * (count - 1) / (most - 1));
  return ks;
}

SweepReport sweepScenario(const Json& spec, const fs::path& sourceDir, const std::string& name,
                          std::size_t mostRunsPerHost) {
  SweepReport report;
  Json counting = spec;
  counting["reportCalls"] = "count";
  const Json clean = playScenario(counting, sourceDir, name);
  if (!clean.contains("calls")) return report;  // a tool that talks to no host

  for (std::size_t host = 0; host < 2; ++host) {
    report.calls[host] = clean["calls"][kHosts[host]].get<std::size_t>();
    for (std::size_t k : sweepSample(report.calls[host], mostRunsPerHost)) {
      Json failing = spec;
      if (!failing.contains("faults")) failing["faults"] = Json::array();
      failing["faults"].push_back(
          {{"host", kHosts[host]}, {"member", "*"}, {"nth", k}, {"description", "Injected failure"}});
      std::string found;
      PlayOptions options;
      options.afterRun = [&](const Context& context) { found = fileFaults(context); };
      try {
        playScenario(failing, sourceDir, name, options);
      } catch (const std::exception& e) {
        found += std::string(" an exception escaped: ") + e.what() + ";";
      }
      ++report.runs;
      if (!found.empty())
        report.faults.push_back(name + ": " + kHosts[host] + " call " + std::to_string(k) + " failing:" + found);
    }
  }
  return report;
}

}  // namespace plotmate::scenario
