// The drawing stand-in on a big drawing: loading 100,000 entities from DXF,
// and a 1,000-vertex fence selecting among them.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/drawing/dxf_reader.h"
#include "sim/drawing/dxf_writer.h"
#include "sim/drawing/spatial_index.h"

namespace plotmate::sim {
namespace {

constexpr int kEntities = 100'000;

// A site plan of 2 km by 1 km in metres: mostly short lines, with
// polylines, circles and texts, as survey drawings are.
Drawing bigDrawing() {
  std::uint64_t state = 42;
  auto next = [&] {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<double>(state >> 11) / 9007199254740992.0;
  };
  Drawing d;
  for (int i = 0; i < kEntities; ++i) {
    const double x = 500000 + next() * 2000, y = 3500000 + next() * 1000;
    Entity e;
    e.layer = i % 3 == 0 ? "道路" : "0";
    switch (i % 10) {
      case 0:
        e.kind = EntityKind::LwPolyline;
        e.points = {{x, y, 0}, {x + 5, y + 1, 0}, {x + 6, y + 7, 0}, {x + 1, y + 6, 0}};
        e.bulges = {0, 0.3, 0, 0};
        e.closed = true;
        break;
      case 1:
        e.kind = EntityKind::Circle;
        e.points = {{x, y, 0}};
        e.radius = 0.5 + next() * 3;
        break;
      case 2:
        e.kind = EntityKind::Text;
        e.points = {{x, y, 0}};
        e.text = "K" + std::to_string(i) + "+120.5";
        e.height = 2.5;
        break;
      default:
        e.kind = EntityKind::Line;
        e.points = {{x, y, next() * 50}, {x + next() * 20 - 10, y + next() * 20 - 10, next() * 50}};
    }
    d.add(std::move(e));
  }
  return d;
}

const std::filesystem::path& bigFile() {
  static const std::filesystem::path path = [] {
    auto p = std::filesystem::temp_directory_path() / "plotmate_bench_100k.dxf";
    auto saved = saveDxf(bigDrawing(), p);
    if (!saved) std::abort();
    return p;
  }();
  return path;
}

void LoadDxf100k(benchmark::State& state) {
  const auto& path = bigFile();
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  for (auto _ : state) {
    auto load = loadDxf(path);
    if (!load || load->drawing.size() != kEntities) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(load);
  }
}
BENCHMARK(LoadDxf100k)->Unit(benchmark::kMillisecond);

// A traverse of 1,000 vertices wandering across the whole plan, as a long
// road centre line does.
std::vector<Vec3> longFence() {
  std::vector<Vec3> fence;
  for (int i = 0; i < 1000; ++i) {
    const double t = i / 999.0;
    fence.push_back({500000 + 2000 * t, 3500000 + 500 + 450 * std::sin(t * 40), 0});
  }
  return fence;
}

void Fence1000Over100k(benchmark::State& state) {
  auto load = loadDxf(bigFile());
  if (!load) {
    state.SkipWithError("load failed");
    return;
  }
  const Drawing& d = load->drawing;
  const std::vector<Vec3> fence = longFence();
  std::size_t selected = 0;
  for (auto _ : state) {
    auto handles = selectByFence(d, d.ucs, fence, "Line");
    selected = handles.size();
    benchmark::DoNotOptimize(handles);
  }
  state.counters["selected"] = static_cast<double>(selected);
}
BENCHMARK(Fence1000Over100k)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plotmate::sim
