#pragma once
// The fault sweep: a scenario played again with the k-th call to one host
// failing, for k over the calls the run makes (every k, or an even sample of
// them when the run is long), on each host in turn. Each failing run must end
// normally (no exception), leave "DistOut.txt" as whole records after what it
// held before, leave any "config" complete, with a worksheet call failing
// change no cell outside the rectangle around what the clean run wrote, and
// never lose output (cells, "DistOut.txt", commands, entities) without a
// message the clean run did not show: the run report's, or the tool's own (a
// call whose failure the tools take as an outcome, such as a cancelled pick,
// loses nothing; the drawing stand-in's own scenarios answer each step).

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/scenario/scenario.h"

namespace plotmate::scenario {

struct SweepReport {
  std::size_t calls[2] = {0, 0};  // the run's calls to the worksheet and drawing hosts
  std::size_t runs = 0;           // runs with one failing call
  std::vector<std::string> faults;  // what went wrong, one line per run at fault
};

// The calls to sweep: 1..count, or `most` of them spread evenly from the
// first to the last.
std::vector<std::size_t> sweepSample(std::size_t count, std::size_t most);

SweepReport sweepScenario(const Json& spec, const std::filesystem::path& sourceDir,
                          const std::string& name, std::size_t mostRunsPerHost);

}  // namespace plotmate::scenario
