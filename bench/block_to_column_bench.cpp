// The block-to-column button on the in-process spreadsheet stand-in: four
// host calls per copied cell, so this tracks the per-call cost of the
// automation path.

#include <benchmark/benchmark.h>

#include "convert/block_column_button.h"
#include "sim/state/standin_desk.h"

namespace {

void BM_BlockToColumn(benchmark::State& state) {
  const auto rows = static_cast<std::int32_t>(state.range(0));
  const std::int32_t columns = 20;
  for (auto _ : state) {
    state.PauseTiming();
    plotmate::sim::StandInDesk desk;
    for (std::int32_t r = 1; r <= rows; ++r)
      for (std::int32_t c = 1; c <= columns; ++c) (void)desk.sheet->setValue({r, c}, r * 100.0 + c);
    desk.sheet->select({{1, 1}, {rows, columns}});
    desk.excel.context->log.setKeepRecords(false);
    state.ResumeTiming();
    plotmate::Block2ColumnClick(desk.hosts, desk.broker, desk.platform, -1);
    state.PauseTiming();
    if (!desk.platform.messages.empty()) state.SkipWithError(desk.platform.messages.front().text.c_str());
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * rows * columns);
}
BENCHMARK(BM_BlockToColumn)->Arg(50)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace
