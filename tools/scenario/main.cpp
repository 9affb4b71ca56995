// plotmate_scenario [--com] [--expect EXPECTED.json] SCENARIO.json
// plotmate_scenario [--com [--profile ID]...] --golden SCENARIO.json...
// Runs one tool on the in-process stand-ins and prints its result as JSON;
// with --expect, compares the result with a stored one instead; with
// --golden, compares each scenario with the NAME.expected.json beside it.
// With --com the hosts are the running stand-in servers, reached over COM;
// each --profile starts a server posing as that program (sim/host_profile.h)
// in place of its kind's for the run, attached under the program's own class names.
// plotmate_scenario --sweep [--most N] SCENARIO.json...
// Plays each scenario again with the k-th call to one host failing, for at
// most N values of k per host (40 unless given), and reports what broke.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "tools/scenario/fault_sweep.h"
#include "tools/scenario/play.h"
#include "tools/scenario/remote_hosts.h"

namespace fs = std::filesystem;
using plotmate::scenario::Json;

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

fs::path expectedBeside(const fs::path& scenario) {
  return scenario.parent_path() / (scenario.stem().string() + ".expected.json");
}

// Over COM a property read arrives as DISPATCH_METHOD | DISPATCH_PROPERTYGET,
// as from VBA, and the host logs it as a call: in the call log, "get" and
// "call" are one kind when a COM run is compared with an in-process one.
void mergeReadKinds(Json& result) {
  if (!result.contains("calls")) return;
  for (auto& [host, lines] : result["calls"].items())
    for (auto& line : lines) {
      if (!line.is_string()) continue;  // "reportCalls": "count" gives numbers
      auto text = line.get<std::string>();
      auto kind = text.find(' ');
      if (kind != std::string::npos && text.compare(kind, 4, " get") == 0 &&
          (text.size() == kind + 4 || text[kind + 4] == ' '))
        line = text.replace(kind + 1, 3, "call");
    }
}

// 0 when the result equals the stored one; otherwise prints the difference.
int compare(const fs::path& scenario, const fs::path& expected, Json result, bool overCom) {
  Json want = readJson(expected);
  if (overCom) {
    mergeReadKinds(want);
    mergeReadKinds(result);
  }
  if (want == result) return 0;
  std::cout << scenario.string() << ": result differs from " << expected.string() << ":\n"
            << Json::diff(want, result).dump(2) << "\nfull result:\n"
            << result.dump(2) << "\n";
  return 1;
}

int playOne(const fs::path& scenario, const fs::path& expected,
            const std::shared_ptr<plotmate::scenario::RemoteHosts>& remote) {
  try {
    Json result = plotmate::scenario::playScenario(
        readJson(scenario), fs::absolute(scenario).parent_path(), scenario.stem().string(), {remote, {}});
    if (!expected.empty()) return compare(scenario, expected, std::move(result), remote != nullptr);
    std::cout << result.dump(2) << "\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << scenario.string() << ": " << e.what() << "\n";
    return 2;
  }
}

int sweepAll(const std::vector<fs::path>& scenarios, std::size_t most) {
  int status = 0;
  for (const auto& scenario : scenarios) {
    try {
      auto report = plotmate::scenario::sweepScenario(readJson(scenario), fs::absolute(scenario).parent_path(),
                                                      scenario.stem().string(), most);
      std::cout << scenario.stem().string() << ": " << report.calls[0] << " worksheet and "
                << report.calls[1] << " drawing calls, " << report.runs << " runs with one failing, "
                << report.faults.size() << " at fault\n";
      for (const auto& fault : report.faults) std::cout << "  " << fault << "\n";
      if (!report.faults.empty()) status = 1;
    } catch (const std::exception& e) {
      std::cerr << scenario.string() << ": " << e.what() << "\n";
      status = 2;
    }
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  fs::path expected;
  std::vector<fs::path> scenarios;
  std::vector<std::string> profileIds;
  bool overCom = false, golden = false, sweep = false;
  std::size_t most = 40;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--expect" && i + 1 < argc)
      expected = argv[++i];
    else if (arg == "--com")
      overCom = true;
    else if (arg == "--golden")
      golden = true;
    else if (arg == "--sweep")
      sweep = true;
    else if (arg == "--profile" && i + 1 < argc)
      profileIds.push_back(argv[++i]);
    else if (arg == "--most" && i + 1 < argc)
      most = std::stoul(argv[++i]);
    else
      scenarios.push_back(arg);
  }
  if (sweep && !scenarios.empty() && !overCom) return sweepAll(scenarios, most);
  if (scenarios.empty() || (!golden && scenarios.size() > 1)) {
    std::cerr << "usage: plotmate_scenario [--com] [--expect EXPECTED.json] SCENARIO.json\n"
                 "       plotmate_scenario [--com [--profile ID]...] --golden SCENARIO.json...\n"
                 "       plotmate_scenario --sweep [--most N] SCENARIO.json...\n";
    return 2;
  }
  std::shared_ptr<plotmate::scenario::RemoteHosts> remote;
  try {
    std::vector<const plotmate::sim::HostProfile*> profiles;
    for (const auto& id : profileIds) {
      profiles.push_back(plotmate::sim::findProfile(id));
      if (!profiles.back()) plotmate::scenario::scenarioError("no profile \"" + id + "\"");
    }
    if (overCom) remote = plotmate::scenario::connectRemoteHosts(profiles);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 2;
  }
  int status = 0, failed = 0;
  for (const auto& scenario : scenarios) {
    int one = playOne(scenario, golden ? expectedBeside(scenario) : expected, remote);
    if (one != 0) ++failed;
    status = std::max(status, one);
  }
  if (golden) std::cout << scenarios.size() - failed << " of " << scenarios.size() << " scenarios as expected\n";
  return status;
}
