#pragma once
// The polyline tools' desk, and helpers to build drawings and read the worksheet back.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "hosts/acad.h"
#include "sim/state/standin_desk.h"

namespace plotmate::pline_testing {

using sim::CellRef;
using sim::EntityKind;
using sim::Vec3;

// The shared desk, attached at once, with the worksheet read back as numbers.
struct Desk : sim::StandInDesk {
  explicit Desk(bool excelRunning = true) { attach(excelRunning); }

  std::string add(sim::Entity entity) { return drawing->drawing.add(std::move(entity)); }
  void queuePick(const std::string& handle) { drawing->picks.push(sim::PickAnswer::entity(handle)); }
  // The number in a cell; NaN when it holds none.
  double number(std::int32_t row, std::int32_t column) const {
    auto d = asDouble(cell(row, column));
    return d ? *d : std::nan("");
  }
};

inline sim::Entity polyline(EntityKind kind, std::vector<Vec3> points, bool closed = false) {
  const std::size_t n = points.size();
  return {.kind = kind, .points = std::move(points), .bulges = std::vector<double>(n, 0.0), .closed = closed};
}
inline sim::Entity line(Vec3 a, Vec3 b) { return {.kind = EntityKind::Line, .points = {a, b}}; }

}  // namespace plotmate::pline_testing
