// The point tool's button on the in-process stand-ins: 1,000 picks with X,
// Y and Z recorded, into the worksheet and into "DistOut.txt" (the
// spreadsheet host not running). Every pick costs
// three drawing-host calls and, in the worksheet, eight spreadsheet calls
// per value, so the call counters show what a run costs across processes.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "format/output_file.h"
#include "measure/pick_tools.h"
#include "sim/state/standin_desk.h"

namespace {

using namespace plotmate;

void BM_IdentifyPoints(benchmark::State& state) {
  const auto picks = static_cast<int>(state.range(0));
  const bool toFile = state.range(1) != 0;
  const auto dir = std::filesystem::temp_directory_path() / "plotmate-measure-bench";
  std::filesystem::create_directories(dir);
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  Settings settings;
  settings.X = settings.Y = settings.Z = 1;
  settings.PREC = 3;
  const MainForm mainForm;
  AcadSelectionSet textSet;
  std::size_t acadCalls = 0, excelCalls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(std::string(kOutputFileName));
    sim::StandInDesk desk;
    auto& acad = desk.acad;
    acad.session->drawing.ucs.origin = {1000, 2000, 0};
    for (int i = 0; i < picks; ++i)
      acad.session->picks.push(sim::PickAnswer::at({1000.0 + i * 1.25, 2000.0 - i * 0.5, 3}));
    acad.session->picks.push(sim::PickAnswer::cancel());
    if (toFile) desk.broker.setNotRunning(kExcelProgId);
    acad.context->log.setKeepRecords(false);
    desk.excel.context->log.setKeepRecords(false);
    const std::size_t acadBefore = acad.context->log.callCount();
    state.ResumeTiming();

    PickDesk pick{{desk.broker, desk.hosts, desk.platform}, settings, mainForm, textSet};
    PointPickTool().run(Idfrm{1, 1, 1, 0}, pick);

    state.PauseTiming();
    acadCalls = acad.context->log.callCount() - acadBefore;
    excelCalls = desk.excel.context->log.callCount();
    state.ResumeTiming();
  }
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(dir);
  state.counters["acad_calls"] = static_cast<double>(acadCalls);
  state.counters["excel_calls"] = static_cast<double>(excelCalls);
  state.SetItemsProcessed(state.iterations() * picks);
}
BENCHMARK(BM_IdentifyPoints)
    ->ArgNames({"picks", "file"})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
