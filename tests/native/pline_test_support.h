#pragma once
// Both stand-in hosts running, attached the way the main window's buttons
// attach, with helpers to build drawings and read the worksheet back.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "hosts/acad.h"
#include "hosts/attach.h"
#include "sim/drawing/acad_application.h"
#include "sim/drawing/drawing_session.h"
#include "sim/recording_platform.h"
#include "sim/sheet/excel_objects.h"
#include "sim/sheet/worksheet.h"
#include "sim/standin_broker.h"

namespace plotmate::pline_testing {

using sim::CellRef;
using sim::EntityKind;
using sim::Vec3;

struct Desk {
  std::shared_ptr<sim::DrawingSession> drawing = std::make_shared<sim::DrawingSession>();
  sim::AcadStandIn acad = sim::makeAcadStandIn(drawing);
  std::shared_ptr<sim::Worksheet> sheet = std::make_shared<sim::Worksheet>();
  sim::ExcelStandIn excel = sim::makeExcelStandIn(sheet);
  sim::StandInBroker broker;
  sim::RecordingPlatform platform;
  HostSession hosts;

  explicit Desk(bool excelRunning = true) {
    broker.setRunning(kAcadProgId, acad.application);
    if (excelRunning) broker.setRunning(kExcelProgId, excel.application);
    AttachAcad(hosts, broker, platform);
    AttachExcel(hosts, broker, platform);
    platform.messages.clear();  // the missing-spreadsheet message, when asked for
    acad.context->log.clear();
    excel.context->log.clear();
  }

  std::string add(sim::Entity entity) { return drawing->drawing.add(std::move(entity)); }
  void queuePick(const std::string& handle) {
    drawing->picks.push(sim::PickAnswer::entity(handle));
  }
  void failAcad(std::string member, std::size_t nth = 0, std::string object = "") {
    acad.context->faults.add(
        {std::move(object), std::move(member), nth, {hr::kFail, "Injected fault"}});
  }
  void failExcel(std::string member, std::size_t nth = 0) {
    excel.context->faults.add({"", std::move(member), nth, {hr::kFail, "Injected fault"}});
  }
  const Variant& cell(std::int32_t row, std::int32_t column) const {
    return sheet->value({row, column});
  }
  // The number in a cell; NaN when it holds none.
  double number(std::int32_t row, std::int32_t column) const {
    auto d = asDouble(cell(row, column));
    return d ? *d : std::nan("");
  }
  // Every ActiveCell.Value write in order, as the call log shows its text ("\"1.500\"").
  std::vector<std::string> valueWrites() const {
    std::vector<std::string> out;
    for (const auto& call : excel.context->log.entries())
      if (call.kind == CallKind::Put && equalsNoCase(call.member, "Value"))
        out.push_back(call.arguments);
    return out;
  }
  // Three cells of a row from `column` on, as numbers.
  Point3 row3(std::int32_t row, std::int32_t column) const {
    return {number(row, column), number(row, column + 1), number(row, column + 2)};
  }
};

inline sim::Entity polyline(EntityKind kind, std::vector<Vec3> points, bool closed = false) {
  sim::Entity e;
  e.kind = kind;
  e.points = std::move(points);
  e.bulges.assign(e.points.size(), 0.0);
  e.closed = closed;
  return e;
}

inline sim::Entity line(Vec3 a, Vec3 b) {
  sim::Entity e;
  e.kind = EntityKind::Line;
  e.points = {a, b};
  return e;
}

// Points compared to a millionth: translations go through a rotation.
inline void expectNear(const Point3& actual, const Point3& expected, const std::string& what) {
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(actual[k], expected[k], 1e-6) << what << " axis " << k;
}

}  // namespace plotmate::pline_testing
