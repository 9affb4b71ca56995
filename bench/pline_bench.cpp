// The main window's two buttons on the in-process stand-ins: "->Excel" on a
// long polyline crossed by many lines, and "->Acad" from many worksheet rows.
// Host calls are what a run costs against the real programs, so each run's
// call counts are reported beside its time.

#include <benchmark/benchmark.h>

#include "pline/main_buttons.h"
#include "sim/state/standin_desk.h"

namespace {

using namespace plotmate;

// The shared desk, counting calls without keeping them; each button
// attaches the hosts (after the first run, a check that they still answer).
struct Desk : sim::StandInDesk {
  Desk() {
    acad.context->log.setKeepRecords(false);
    excel.context->log.setKeepRecords(false);
  }
  std::size_t acadCalls() const { return acad.context->log.callCount(); }
  std::size_t excelCalls() const { return excel.context->log.callCount(); }
};

void reportCalls(benchmark::State& state, const Desk& desk, std::size_t acadBefore,
                 std::size_t excelBefore) {
  const auto runs = static_cast<double>(state.iterations());
  state.counters["acad_calls_per_run"] = static_cast<double>(desk.acadCalls() - acadBefore) / runs;
  state.counters["excel_calls_per_run"] =
      static_cast<double>(desk.excelCalls() - excelBefore) / runs;
}

// A zigzag lightweight polyline of `vertices` vertices along X, crossed by
// `lines` vertical lines, each through the middle of one segment.
void BM_PolylineToSheet(benchmark::State& state) {
  const auto vertices = static_cast<int>(state.range(0));
  const auto lines = static_cast<int>(state.range(1));
  Desk desk;
  sim::Entity pline;
  pline.kind = sim::EntityKind::LwPolyline;
  for (int i = 0; i < vertices; ++i) pline.points.push_back({double(i), double(i % 2), 0});
  pline.bulges.assign(pline.points.size(), 0.0);
  const auto handle = desk.drawing->drawing.add(pline);
  const int step = std::max(1, (vertices - 1) / std::max(1, lines));
  for (int k = 0; k < lines; ++k) {
    sim::Entity line;
    line.kind = sim::EntityKind::Line;
    line.points = {{k * step + 0.5, -1, 0}, {k * step + 0.5, 2, 0}};
    desk.drawing->drawing.add(line);
  }
  Settings settings;
  settings.PREC = 3;
  MainForm form;
  form.chkboolIntersect = 1;

  const auto acadBefore = desk.acadCalls();
  const auto excelBefore = desk.excelCalls();
  for (auto _ : state) {
    desk.drawing->picks.push(sim::PickAnswer::entity(handle));
    desk.sheet->activate(sim::Area::cell({1, 1}));
    AttachAndExportPolyline(desk.hosts, desk.broker, desk.platform, settings, form);
  }
  if (desk.sheet->activeCell().row != vertices + lines + 7)
    state.SkipWithError("unexpected table size");
  reportCalls(state, desk, acadBefore, excelBefore);
}
BENCHMARK(BM_PolylineToSheet)->Args({10000, 1000})->Unit(benchmark::kMillisecond);

// Three columns of `rows` rows drawn as one 3-D polyline.
void BM_SheetToPolyline(benchmark::State& state) {
  const auto rows = static_cast<std::int32_t>(state.range(0));
  Desk desk;
  for (std::int32_t r = 1; r <= rows; ++r) {
    (void)desk.sheet->setValue({r, 1}, r * 1.5);
    (void)desk.sheet->setValue({r, 2}, r * -0.5);
    (void)desk.sheet->setValue({r, 3}, r % 7 * 1.0);
  }
  desk.sheet->select({{1, 1}, {rows, 3}});
  const auto acadBefore = desk.acadCalls();
  const auto excelBefore = desk.excelCalls();
  for (auto _ : state) AttachAndDrawPolyline(desk.hosts, desk.broker, desk.platform, Settings{});
  if (desk.drawing->drawing.size() != static_cast<std::size_t>(state.iterations()))
    state.SkipWithError("no polyline drawn");
  reportCalls(state, desk, acadBefore, excelBefore);
}
BENCHMARK(BM_SheetToPolyline)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
