#include "tools/scenario/fault_sweep.h"

#include <fstream>
#include <functional>
#include <iterator>

#include "format/output_file.h"
#include "shell/config_file.h"
#include "sim/sheet/sheet_area.h"
#include "sim/state/sheet_io.h"
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

// The cells a run changed, from the sheet's cells before and after it.
std::vector<sim::CellRef> changedCells(const Json& before, const Json& after) {
  std::vector<sim::CellRef> changed;
  auto note = [&](const std::string& address) {
    if (auto cell = sim::parseCellText(address)) changed.push_back(*cell);
  };
  for (const auto& [address, value] : after.items())
    if (!before.contains(address) || before[address] != value) note(address);
  for (const auto& [address, value] : before.items())
    if (!after.contains(address)) note(address);
  return changed;
}

// The rectangle around every cell the clean run changed: the tool's tables.
std::optional<sim::Area> tableRectangle(const std::vector<sim::CellRef>& cells) {
  if (cells.empty()) return std::nullopt;
  sim::Area area = sim::Area::cell(cells.front());
  for (const sim::CellRef& cell : cells) area = sim::Area::spanning(area, sim::Area::cell(cell));
  return area;
}

// Cells a failing run changed outside the clean run's tables.
std::string cellsOutside(const Json& before, const Json& after, const std::optional<sim::Area>& tables) {
  std::string found;
  for (const sim::CellRef& cell : changedCells(before, after))
    if (!tables || !tables->contains(cell))
      found += " " + sim::columnLetters(cell.column) + std::to_string(cell.row) + " changed outside the tool's tables;";
  return found;
}

// What a run left for the drafter: cells, file, commands and, when the
// result holds them, the drawing's entities.
Json outputOf(const Json& result) {
  Json drawing = result.value("drawing", Json::object());
  return {{"cells", result["sheet"]["cells"]},
          {"file", result.value("outputFile", Json())},
          {"commands", drawing.value("commandsSent", Json())},
          {"entities", drawing.value("entities", Json())}};
}

// The scenario with call k to `host` failing. The result names the failed
// calls only and, without `entities`, leaves the drawing's entities out:
// building them is most of a run's cost where a failure makes them large.
Json failingSpec(const Json& spec, const char* host, std::size_t k, bool entities) {
  Json failing = spec;
  failing["reportCalls"] = "failed";
  failing["reportEntities"] = entities;
  if (!failing.contains("faults")) failing["faults"] = Json::array();
  failing["faults"].push_back(
      {{"host", host}, {"member", "*"}, {"nth", k}, {"description", "Injected failure"}});
  return failing;
}

// The member whose call the sweep made fail: the host's call k, among the
// failed calls the run reports ("15: Range.Address get FAILED").
std::string failedMember(const Json& result, const char* host, std::size_t k) {
  const std::string number = std::to_string(k) + ": ";
  for (const auto& line : result["calls"][host]) {
    const std::string text = line.get<std::string>();
    if (text.starts_with(number))
      return text.substr(number.size(), text.find(' ', number.size()) - number.size());
  }
  return {};
}

// Calls whose failure is an outcome the tools name, not a refusal: a pick the
// drafter cancels, a selection set not there yet, a fence that finds nothing,
// a polyline that is not in its crossing set, a selected object that is no
// text or one value more than objects selected for the distance texts.
bool failureIsAnOutcome(const std::string& member) {
  for (const char* named : {".GetPoint", ".GetEntity", ".SelectOnScreen", "SelectionSets.Item",
                            ".SelectByPolygon", ".RemoveItems", "AcadSelectionSet.Item", ".TextString"})
    if (member.ends_with(named) || member.find(named) != std::string::npos) return true;
  return false;
}

// Whether a failing run said nothing the clean run did not: the same
// messages and, where the drawing stand-in's own steps run, the same answers.
bool saidNothingNew(const Json& clean, const Json& failing) {
  return clean["messages"] == failing["messages"] &&
         clean.value("steps", Json()) == failing.value("steps", Json());
}

// Whether a failing run left other output than the clean run. Its entities,
// left out of `failing`, are built (by playing it again) only when all else
// it left is the clean run's and the clean run has a drawing.
bool lostOutput(const Json& cleanOutput, const Json& failing,
                const std::function<Json()>& withEntities) {
  Json withoutEntities = cleanOutput;
  withoutEntities["entities"] = nullptr;
  if (outputOf(failing) != withoutEntities) return true;
  return !cleanOutput["entities"].is_null() && outputOf(withEntities()) != cleanOutput;
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
  const Json before =
      sheetJson(sheetFromJson(spec.value("sheet", Json::object()), sourceDir))["cells"];
  const auto tables = tableRectangle(changedCells(before, clean["sheet"]["cells"]));
  const Json cleanOutput = outputOf(clean);

  for (std::size_t host = 0; host < 2; ++host) {
    report.calls[host] = clean["calls"][kHosts[host]].get<std::size_t>();
    for (std::size_t k : sweepSample(report.calls[host], mostRunsPerHost)) {
      std::string found;
      PlayOptions options;
      options.afterRun = [&](const Context& context) { found = fileFaults(context); };
      try {
        const Json result =
            playScenario(failingSpec(spec, kHosts[host], k, false), sourceDir, name, options);
        // A refused worksheet step never moves output; a drawing step may
        // change what the tables hold and so how large they are.
        if (host == 0) found += cellsOutside(before, result["sheet"]["cells"], tables);
        // A run that lost output must say so.
        const std::string member = failedMember(result, kHosts[host], k);
        if (!failureIsAnOutcome(member) && saidNothingNew(clean, result) &&
            lostOutput(cleanOutput, result, [&] {
              return playScenario(failingSpec(spec, kHosts[host], k, true), sourceDir, name);
            }))
          found += " lost output without a word (" + member + " failing);";
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
