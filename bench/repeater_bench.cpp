// The repeater's batch run on the in-process stand-ins, and the line builder
// alone: the run is two host calls per captured cell plus one SendCommand
// per row, so the builder must stay far below the cost of those calls.

#include <benchmark/benchmark.h>

#include "repeater/batch_run.h"
#include "repeater/command_line_builder.h"
#include "sim/state/standin_desk.h"

namespace {

using namespace plotmate;

RepeaterForm zhanDianForm() {
  RepeaterForm form;
  form.Combo1 = "ZhanDian";
  form.Combo1_Click();
  return form;
}

void BM_RepeaterRunZhanDian(benchmark::State& state) {
  const auto rows = static_cast<std::int32_t>(state.range(0));
  const RepeaterForm form = zhanDianForm();
  const Settings settings;
  for (auto _ : state) {
    state.PauseTiming();
    sim::StandInDesk desk;
    for (std::int32_t r = 1; r <= rows; ++r) {
      (void)desk.sheet->setValue({r, 1}, "P" + std::to_string(r));
      (void)desk.sheet->setValue({r, 2}, 3500.25 + r);
      (void)desk.sheet->setValue({r, 3}, 8200.5 - r);
    }
    desk.sheet->select({{1, 1}, {rows, 3}});
    desk.excel.context->log.setKeepRecords(false);
    desk.acad.context->log.setKeepRecords(false);
    state.ResumeTiming();
    RunCommandForEachRow(form, settings, desk.hosts, desk.broker, desk.platform);
  }
  state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_RepeaterRunZhanDian)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_BuildTextLine(benchmark::State& state) {
  RepeaterForm form;
  form.Combo1 = "text";
  form.Combo1_Click();
  form.setCheck1(0, true);
  form.setCheck2(0, true);
  form.Text1[2] = "2.5";
  form.Text1[3] = "0";
  form.setCheck1(4, true);
  const std::int32_t rows = 1000;
  CapturedBlock block(3, rows);
  for (std::int32_t r = 0; r < rows; ++r) {
    *block.value(0, r) = 1000.125 + r;
    *block.value(1, r) = 2000.5 - r;
    *block.value(2, r) = std::string("label");
  }
  for (auto _ : state)
    for (std::int32_t r = 0; r < rows; ++r)
      benchmark::DoNotOptimize(BuildCommandLine(form, block, r));
  state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_BuildTextLine);

}  // namespace
