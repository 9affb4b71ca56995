#include "sim/drawing/dxf_entity_writer.h"

#include <numbers>

#include "sim/drawing/coords.h"

namespace plotmate::sim::dxf {

namespace {

constexpr double kDegree = std::numbers::pi / 180;
// Group 1 and 3 values hold at most this many characters; longer MTEXT
// contents go in 250-character group 3 pieces, the rest in group 1.
constexpr std::size_t kChunk = 250;

// Where an entity goes, and what it needs from the drawing around it.
struct Placement {
  GroupWriter& out;
  const Drawing& drawing;
  const std::string& owner;
  bool keepHandle;

  std::string idOf(const Entity& e) const { return keepHandle && !e.handle.empty() ? e.handle : out.handle(); }
};

Vec3 pointAt(const Entity& e, std::size_t i) { return i < e.points.size() ? e.points[i] : Vec3{}; }

void writeLine(const Entity& e, const Placement& at) {
  GroupWriter& out = at.out;
  out.entityStart("LINE", at.idOf(e), at.owner, e.layer, "AcDbLine");
  out.point(10, pointAt(e, 0));
  out.point(11, pointAt(e, 1));
  out.normal(e.normal);
}

void writeLwPolyline(const Entity& e, const Placement& at) {
  GroupWriter& out = at.out;
  out.entityStart("LWPOLYLINE", at.idOf(e), at.owner, e.layer, "AcDbPolyline");
  out.integer(90, static_cast<long long>(e.points.size()));
  out.integer(70, e.closed ? 1 : 0);
  out.number(38, e.elevation);
  for (std::size_t i = 0; i < e.points.size(); ++i) {
    out.number(10, e.points[i].x);
    out.number(20, e.points[i].y);
    if (i < e.bulges.size() && e.bulges[i] != 0) out.number(42, e.bulges[i]);
  }
  out.normal(e.normal);
}

// Old-style 2-D and 3-D polylines: a POLYLINE, its VERTEX entities, a SEQEND.
void writePolyline(const Entity& e, const Placement& at) {
  GroupWriter& out = at.out;
  const bool flat = e.kind == EntityKind::Polyline2d;
  const std::string self =
      out.entityStart("POLYLINE", at.idOf(e), at.owner, e.layer, flat ? "AcDb2dPolyline" : "AcDb3dPolyline");
  out.integer(66, 1);
  out.point(10, {0, 0, flat ? e.elevation : 0});
  out.integer(70, (e.closed ? 1 : 0) | (flat ? 0 : 8));
  out.normal(e.normal);
  for (std::size_t i = 0; i < e.points.size(); ++i) {
    out.entityStart("VERTEX", out.handle(), self, e.layer, "AcDbVertex");
    out.group(100, flat ? "AcDb2dVertex" : "AcDb3dPolylineVertex");
    const Vec3 p = e.points[i];
    out.point(10, flat ? Vec3{p.x, p.y, e.elevation} : p);
    if (flat && i < e.bulges.size() && e.bulges[i] != 0) out.number(42, e.bulges[i]);
    out.integer(70, flat ? 0 : 32);
  }
  out.seqend(self, e.layer);
}

void writeCircleOrArc(const Entity& e, const Placement& at) {
  GroupWriter& out = at.out;
  const bool arc = e.kind == EntityKind::Arc;
  out.entityStart(arc ? "ARC" : "CIRCLE", at.idOf(e), at.owner, e.layer, "AcDbCircle");
  out.point(10, pointAt(e, 0));
  out.number(40, e.radius);
  out.normal(e.normal);
  if (!arc) return;
  out.group(100, "AcDbArc");
  out.number(50, e.startAngle / kDegree);
  out.number(51, e.endAngle / kDegree);
}

void writeText(const Entity& e, const Placement& at) {
  GroupWriter& out = at.out;
  out.entityStart("TEXT", at.idOf(e), at.owner, e.layer, "AcDbText");
  out.point(10, pointAt(e, 0));
  out.number(40, e.height);
  out.text(1, e.text);
  out.number(50, e.rotation / kDegree);
  out.normal(e.normal);
  out.group(100, "AcDbText");
}

// The contents in pieces that never split an escape: "\U+XXXX" and "^X" stay whole.
void writeMTextContents(GroupWriter& out, const std::string& contents) {
  const std::string encoded = encodeDxfText(contents);
  std::size_t start = 0;
  while (encoded.size() - start > kChunk) {
    std::size_t end = start;
    while (end < encoded.size()) {
      const std::size_t unit = encoded.compare(end, 3, "\\U+") == 0 ? 7 : encoded[end] == '^' ? 2 : 1;
      if (end + unit - start > kChunk) break;
      end += unit;
    }
    out.group(3, std::string_view(encoded).substr(start, end - start));
    start = end;
  }
  out.group(1, std::string_view(encoded).substr(start));
}

void writeMText(const Entity& e, const Placement& at) {
  GroupWriter& out = at.out;
  out.entityStart("MTEXT", at.idOf(e), at.owner, e.layer, "AcDbMText");
  out.point(10, pointAt(e, 0));
  out.number(40, e.height);
  writeMTextContents(out, e.text);
  out.number(50, e.rotation);  // radians for MTEXT
  out.normal(e.normal);
}

void writePoint(const Entity& e, const Placement& at) {
  at.out.entityStart("POINT", at.idOf(e), at.owner, e.layer, "AcDbPoint");
  at.out.point(10, pointAt(e, 0));
  at.out.normal(e.normal);
}

// The attributes of a block reference, each at the insertion point with the
// height its definition gives.
void writeAttributes(const Entity& e, const Placement& at, const std::string& self, Vec3 insertion) {
  GroupWriter& out = at.out;
  const BlockDefinition* block = at.drawing.block(e.blockName);
  for (const Attribute& a : e.attributes) {
    double height = 2.5;
    if (block) {
      for (const AttributeDefinition& d : block->attributes) {
        if (d.tag == a.tag && d.height > 0) height = d.height;
      }
    }
    out.entityStart("ATTRIB", out.handle(), self, e.layer, "AcDbText");
    out.point(10, insertion);
    out.number(40, height);
    out.text(1, a.value);
    out.group(100, "AcDbAttribute");
    out.text(2, a.tag);
    out.integer(70, 0);
  }
  out.seqend(self, e.layer);
}

void writeInsert(const Entity& e, const Placement& at) {
  GroupWriter& out = at.out;
  const std::string self = out.entityStart("INSERT", at.idOf(e), at.owner, e.layer, "AcDbBlockReference");
  if (!e.attributes.empty()) out.integer(66, 1);
  out.text(2, e.blockName);
  // INSERT keeps its point in the entity system.
  const Vec3 insertion = worldToOcs(e.normal, pointAt(e, 0), false);
  out.point(10, insertion);
  out.number(41, e.scale.x);
  out.number(42, e.scale.y);
  out.number(43, e.scale.z);
  out.number(50, e.rotation / kDegree);
  out.normal(e.normal);
  if (!e.attributes.empty()) writeAttributes(e, at, self, insertion);
}

// DXF holds a region as an ACIS solid; its loops are written as closed
// polylines instead, the first keeping the region's handle.
void writeRegion(const Entity& e, const Placement& at) {
  ++at.out.regionsAsOutlines;
  bool first = true;
  for (const Loop& loop : e.loops) {
    const Entity outline{.kind = EntityKind::LwPolyline,
                         .handle = first && at.keepHandle ? e.handle : std::string(),
                         .layer = e.layer,
                         .points = loop.points,
                         .bulges = loop.bulges,
                         .elevation = loop.points.empty() ? 0 : loop.points.front().z,
                         .closed = true};
    writeLwPolyline(outline, {at.out, at.drawing, at.owner, at.keepHandle && first});
    first = false;
  }
}

using EntityWriter = void (*)(const Entity&, const Placement&);

constexpr std::pair<EntityKind, EntityWriter> kEntityWriters[] = {
    {EntityKind::Line, writeLine},
    {EntityKind::LwPolyline, writeLwPolyline},
    {EntityKind::Polyline2d, writePolyline},
    {EntityKind::Polyline3d, writePolyline},
    {EntityKind::Circle, writeCircleOrArc},
    {EntityKind::Arc, writeCircleOrArc},
    {EntityKind::Text, writeText},
    {EntityKind::MText, writeMText},
    {EntityKind::Point, writePoint},
    {EntityKind::BlockRef, writeInsert},
    {EntityKind::Region, writeRegion},
};

}  // namespace

void writeEntity(GroupWriter& out, const Drawing& drawing, const Entity& e, const std::string& owner,
                 bool keepHandle) {
  for (const auto& [kind, write] : kEntityWriters) {
    if (kind == e.kind) return write(e, {out, drawing, owner, keepHandle});
  }
}

}  // namespace plotmate::sim::dxf
