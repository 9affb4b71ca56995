// BlockToColumn on the in-process spreadsheet stand-in: four host calls per
// copied cell, so this tracks the per-call cost of the automation path.

#include <benchmark/benchmark.h>

#include "convert/block_to_column.h"
#include "sim/sheet/excel_objects.h"

namespace {

void BM_BlockToColumn(benchmark::State& state) {
  const auto rows = static_cast<std::int32_t>(state.range(0));
  const std::int32_t columns = 20;
  for (auto _ : state) {
    state.PauseTiming();
    auto sheet = std::make_shared<plotmate::sim::Worksheet>();
    for (std::int32_t r = 1; r <= rows; ++r)
      for (std::int32_t c = 1; c <= columns; ++c) (void)sheet->setValue({r, c}, r * 100.0 + c);
    sheet->select({{1, 1}, {rows, columns}});
    auto host = plotmate::sim::makeExcelStandIn(sheet);
    host.context->log.setKeepRecords(false);
    plotmate::ExcelApp excel(host.application);
    state.ResumeTiming();
    benchmark::DoNotOptimize(plotmate::BlockToColumn(excel, -1));
  }
  state.SetItemsProcessed(state.iterations() * rows * columns);
}
BENCHMARK(BM_BlockToColumn)->Arg(50)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace
