#include "sim/drawing/dxf_entity_reader.h"

#include <cmath>

#include "sim/drawing/coords.h"

namespace plotmate::sim::dxf {

namespace {

// One entity on its way from its groups to the model.
struct EntityBuild {
  const RawEntity& raw;
  const TextDecoder& text;
  Entity e{};
  Vec3 first{}, second{}, direction{};
  bool hasDirection = false;
  long long flags = 0, rows = 1;    // INSERT: 70 and 71 count the columns and rows of an array
  AttributeDefinition attribute{};  // ATTDEF
  Built out{};

  bool isAttributeDefinition() const { return raw.type == "ATTDEF"; }
};

using Finish = Result<void> (*)(EntityBuild&);

// --- groups every entity type shares ----------------------------------------

// Names and texts: 1, 2, 3 (by type), the handle (5) and the layer (8).
bool readNameGroup(const Pair& p, EntityBuild& b) {
  Entity& e = b.e;
  const bool mtext = e.kind == EntityKind::MText, attdef = b.isAttributeDefinition();
  switch (p.code) {
    case 5: e.handle = std::string(trim(p.value)); return true;
    case 8: e.layer = b.text(p.value); return true;
    case 1:
      if (mtext) e.text += b.text(p.value);
      else (attdef ? b.attribute.defaultValue : e.text) = b.text(p.value);
      return true;
    case 2:
      if (attdef) b.attribute.tag = b.text(p.value);
      else if (e.kind == EntityKind::BlockRef) e.blockName = b.text(p.value);
      return true;
    case 3:
      if (mtext) e.text += b.text(p.value);
      else if (attdef) b.attribute.prompt = b.text(p.value);
      return true;
    default: return false;
  }
}

// A lightweight polyline's vertices: each 10 starts one, 20 gives its y.
Result<bool> readVertexGroup(const Pair& p, Entity& e) {
  if (e.kind != EntityKind::LwPolyline || (p.code != 10 && p.code != 20)) return false;
  PLOTMATE_TRY(v, realOf(p));
  if (p.code == 10) {
    e.points.push_back({*v, 0, 0});
    e.bulges.push_back(0);
  } else if (!e.points.empty()) {
    e.points.back().y = *v;
  }
  return true;
}

// The first point (10), the second point or direction (11) and the normal (210).
Result<bool> readPointGroups(const Pair& p, EntityBuild& b) {
  for (auto [base, target] : {std::pair{10, &b.first}, std::pair{11, &b.second}, std::pair{210, &b.e.normal}}) {
    PLOTMATE_TRY(read, readPointGroup(p, base, *target));
    if (!*read) continue;
    if (base == 11) {
      b.hasDirection = true;
      b.direction = b.second;
    }
    return true;
  }
  return false;
}

// Reals: elevation, radius or height, scales and bulge, angles.
void applyNumber(int code, double v, EntityBuild& b) {
  Entity& e = b.e;
  const bool ref = e.kind == EntityKind::BlockRef, arc = e.kind == EntityKind::Arc;
  switch (code) {
    case 38: e.elevation = v; break;
    case 40: (e.kind == EntityKind::Circle || arc ? e.radius : e.height) = v; break;
    case 41: if (ref) e.scale.x = v; break;
    case 42:
      if (e.kind == EntityKind::LwPolyline && !e.bulges.empty()) e.bulges.back() = v;
      else if (ref) e.scale.y = v;
      break;
    case 43: if (ref) e.scale.z = v; break;
    case 50:
      if (arc) e.startAngle = v * kDegree;
      else if (e.kind != EntityKind::MText) e.rotation = v * kDegree;
      else {  // radians for MTEXT, and it overrides a direction read before it
        e.rotation = v;
        b.hasDirection = false;
      }
      break;
    case 51: if (arc) e.endAngle = v * kDegree; break;
    default: break;
  }
}

Result<void> readGroup(const Pair& p, EntityBuild& b) {
  if (readNameGroup(p, b)) return {};
  if (p.code >= 1000 || p.code == 102 || p.code == 100 || p.code == 330 || p.code == 360) return {};
  auto vertex = readVertexGroup(p, b.e);
  if (!vertex || *vertex) return vertex ? Result<void>{} : std::unexpected(vertex.error());
  auto point = readPointGroups(p, b);
  if (!point || *point) return point ? Result<void>{} : std::unexpected(point.error());
  if (p.code == 70 || (p.code == 71 && b.e.kind == EntityKind::BlockRef)) {
    PLOTMATE_TRY(v, integerOf(p));
    (p.code == 70 ? b.flags : b.rows) = *v;
  } else if ((p.code >= 38 && p.code <= 43) || p.code == 50 || p.code == 51) {
    PLOTMATE_TRY(v, realOf(p));
    applyNumber(p.code, *v, b);
  }
  return {};
}

// --- one reader per entity type ---------------------------------------------

Result<void> finishLine(EntityBuild& b) {
  b.e.points = {b.first, b.second};
  return {};
}

Result<void> finishLwPolyline(EntityBuild& b) {
  b.e.closed = (b.flags & 1) != 0;
  return {};
}

Result<void> finishAtPoint(EntityBuild& b) {  // circle, arc, point
  b.e.points = {b.first};
  return {};
}

// One VERTEX of an old-style polyline; nothing for a spline's control point.
Result<std::optional<std::pair<Vec3, double>>> readVertex(const RawEntity& vertex) {
  Vec3 p;
  double bulge = 0;
  long long flags = 0;
  for (const Pair& g : vertex.body) {
    PLOTMATE_RETURN_IF_FAILED(readPointGroup(g, 10, p));
    if (g.code == 42) {
      PLOTMATE_TRY(v, realOf(g));
      bulge = *v;
    } else if (g.code == 70) {
      PLOTMATE_TRY(v, integerOf(g));
      flags = *v;
    }
  }
  if (flags & 16) return std::nullopt;
  return std::pair{p, bulge};
}

Result<void> finishPolyline(EntityBuild& b) {
  Entity& e = b.e;
  if (b.flags & (16 | 64)) {
    b.out.skipped = "POLYLINE (mesh)";
    return {};
  }
  if (b.flags & 8) e.kind = EntityKind::Polyline3d;
  e.closed = (b.flags & 1) != 0;
  const bool flat = e.kind == EntityKind::Polyline2d;
  e.elevation = flat ? b.first.z : 0;
  for (const RawEntity& vertex : b.raw.children) {
    PLOTMATE_TRY(read, readVertex(vertex));
    if (!*read) continue;
    auto [p, bulge] = **read;
    if (flat) p.z = 0;
    e.points.push_back(p);
    e.bulges.push_back(flat ? bulge : 0.0);
  }
  return {};
}

Result<void> finishText(EntityBuild& b) {  // TEXT, and ATTDEF inside a block definition
  b.e.points = {b.first};
  if (b.isAttributeDefinition()) {
    b.attribute.position = b.first;
    b.attribute.height = b.e.height;
    b.out.attribute = b.attribute;
  }
  return {};
}

Result<void> finishMText(EntityBuild& b) {
  b.e.points = {b.first};
  if (b.hasDirection && length(b.direction) > 0) {
    const Vec3 d = worldToOcs(b.e.normal, b.direction, true);
    b.e.rotation = std::atan2(d.y, d.x);
  }
  return {};
}

Result<void> finishInsert(EntityBuild& b) {
  Entity& e = b.e;
  if (b.flags > 1 || b.rows > 1) b.out.arrayKeptAsOne = true;
  // INSERT keeps its point in the entity system; the model holds world points.
  e.points = {ocsToWorld(e.normal, b.first, false)};
  for (const RawEntity& child : b.raw.children) {
    Attribute a;
    for (const Pair& g : child.body) {
      if (g.code == 101) break;
      if (g.code == 2) a.tag = b.text(g.value);
      if (g.code == 1) a.value = b.text(g.value);
    }
    e.attributes.push_back(std::move(a));
  }
  return {};
}

struct EntityType {
  std::string_view name;
  EntityKind kind;
  Finish finish;
};

// POLYLINE starts as a 2-D polyline; its flags may make it a 3-D one.
constexpr EntityType kEntityTypes[] = {
    {"LINE", EntityKind::Line, finishLine},
    {"LWPOLYLINE", EntityKind::LwPolyline, finishLwPolyline},
    {"POLYLINE", EntityKind::Polyline2d, finishPolyline},
    {"CIRCLE", EntityKind::Circle, finishAtPoint},
    {"ARC", EntityKind::Arc, finishAtPoint},
    {"TEXT", EntityKind::Text, finishText},
    {"ATTDEF", EntityKind::Text, finishText},
    {"MTEXT", EntityKind::MText, finishMText},
    {"POINT", EntityKind::Point, finishAtPoint},
    {"INSERT", EntityKind::BlockRef, finishInsert},
};

}  // namespace

Result<Built> buildEntity(const RawEntity& raw, const TextDecoder& text) {
  EntityBuild b{raw, text};
  // Common groups first: a paper-space or unknown entity needs nothing more.
  for (const Pair& p : raw.body) {
    if (p.code == 67 && trim(p.value) == "1") b.out.paperSpace = true;
  }
  const EntityType* type = nullptr;
  for (const EntityType& t : kEntityTypes) {
    if (t.name == raw.type) type = &t;
  }
  if (!type) {
    b.out.skipped = std::string(raw.type);
    return b.out;
  }
  if (b.out.paperSpace) return b.out;

  b.e.kind = type->kind;
  for (const Pair& p : raw.body) {
    if (p.code == 101) break;  // an embedded object (multi-line attribute) follows: not ours
    PLOTMATE_RETURN_IF_FAILED(readGroup(p, b));
  }
  PLOTMATE_RETURN_IF_FAILED(type->finish(b));
  if (!b.out.entity && !b.out.attribute && b.out.skipped.empty()) b.out.entity = std::move(b.e);
  return b.out;
}

}  // namespace plotmate::sim::dxf
