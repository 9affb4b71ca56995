#pragma once
// Shared helpers for the drawing stand-in's tests: a host attached the way
// the tools attach, and entities built directly in the model.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "format/number_text.h"
#include "sim/drawing/acad_application.h"
#include "sim/drawing/drawing_session.h"

namespace plotmate::sim::testing {

struct AttachedHost {
  AcadStandIn host;
  DispatchPtr document, utility, modelSpace, selectionSets;
  DrawingSession& session() const { return *host.session; }
};

inline AttachedHost attachHost() {
  AttachedHost a{makeAcadStandIn(), nullptr, nullptr, nullptr, nullptr};
  a.document = *getObject(*a.host.application, "ActiveDocument");
  a.utility = *getObject(*a.document, "Utility");
  a.modelSpace = *getObject(*a.document, "ModelSpace");
  a.selectionSets = *getObject(*a.document, "SelectionSets");
  a.host.context->log.clear();
  return a;
}

inline Entity makeLine(Vec3 a, Vec3 b) { return {.kind = EntityKind::Line, .points = {a, b}}; }
inline Entity makeCircle(Vec3 center, double radius) {
  return {.kind = EntityKind::Circle, .points = {center}, .radius = radius};
}
inline Entity makePolyline(EntityKind kind, std::vector<Vec3> points, bool closed = false) {
  const std::size_t n = points.size();
  return {.kind = kind, .points = std::move(points), .bulges = std::vector<double>(n, 0.0), .closed = closed};
}
inline Entity makeSquare(double x0, double y0, double side) {
  return makePolyline(EntityKind::LwPolyline,
                      {{x0, y0, 0}, {x0 + side, y0, 0}, {x0 + side, y0 + side, 0}, {x0, y0 + side, 0}}, true);
}

inline std::vector<double> numbers(const Variant& v) {
  auto d = toDoubles(v);
  return d ? *d : std::vector<double>{};
}

// Rounded to nine decimals so that tests compare positions, not noise.
inline std::string num(double v) { return countingForm(std::round(v * 1e9) / 1e9); }

inline std::string pointText(Vec3 p) { return num(p.x) + "," + num(p.y) + "," + num(p.z); }

}  // namespace plotmate::sim::testing
