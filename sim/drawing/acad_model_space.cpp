#include "sim/drawing/acad_model_space.h"

#include "sim/args.h"
#include "sim/drawing/acad_entity.h"
#include "sim/drawing/acad_errors.h"
#include "sim/drawing/coords.h"
#include "sim/drawing/geometry.h"
#include "sim/drawing/regions.h"

namespace plotmate::sim {

Result<Variant> AcadModelSpace::invokeMember(std::string_view name, CallKind kind,
                                             std::span<Variant> args) {
  return members().invoke(*this, name, kind, args);
}

Variant AcadModelSpace::added(Entity entity) {
  std::string handle = session().addEntity(std::move(entity));
  return Variant(entityObject(*this, handle));
}

Result<Variant> AcadModelSpace::count(std::span<Variant>) {
  return Variant(static_cast<std::int32_t>(session().drawing.size()));
}

// Item(index): the entity at that position in creation order, 0 first.
Result<Variant> AcadModelSpace::item(std::span<Variant> args) {
  PLOTMATE_TRY(index, argInt(args, 0));
  const Entity* e = *index < 0 ? nullptr : session().drawing.at(static_cast<std::size_t>(*index));
  if (!e) return std::unexpected(invalidArgument("Index", "Item"));
  return Variant(entityObject(*this, e->handle));
}

Result<Variant> AcadModelSpace::addLine(std::span<Variant> args) {
  PLOTMATE_TRY(start, argPoint(args, 0, "StartPoint", "AddLine"));
  PLOTMATE_TRY(end, argPoint(args, 1, "EndPoint", "AddLine"));
  Entity e;
  e.kind = EntityKind::Line;
  e.points = {*start, *end};
  return added(std::move(e));
}

Result<Variant> AcadModelSpace::addCircle(std::span<Variant> args) {
  PLOTMATE_TRY(center, argPoint(args, 0, "Center", "AddCircle"));
  PLOTMATE_TRY(radius, argDouble(args, 1));
  if (*radius <= 0) return std::unexpected(invalidArgument("Radius", "AddCircle"));
  Entity e;
  e.kind = EntityKind::Circle;
  e.points = {*center};
  e.radius = *radius;
  return added(std::move(e));
}

Result<Variant> AcadModelSpace::addArc(std::span<Variant> args) {
  PLOTMATE_TRY(center, argPoint(args, 0, "Center", "AddArc"));
  auto radius = argDouble(args, 1);
  auto start = argDouble(args, 2);
  auto end = argDouble(args, 3);
  if (!radius || !start || !end) return fail(hr::kBadParamCount, "Invalid number of parameters");
  if (*radius <= 0) return std::unexpected(invalidArgument("Radius", "AddArc"));
  Entity e;
  e.kind = EntityKind::Arc;
  e.points = {*center};
  e.radius = *radius;
  e.startAngle = *start;
  e.endAngle = *end;
  return added(std::move(e));
}

Result<Variant> AcadModelSpace::addPoint(std::span<Variant> args) {
  PLOTMATE_TRY(at, argPoint(args, 0, "Point", "AddPoint"));
  Entity e;
  e.kind = EntityKind::Point;
  e.points = {*at};
  return added(std::move(e));
}

Result<Variant> AcadModelSpace::addText(std::span<Variant> args) {
  PLOTMATE_TRY(text, argText(args, 0));
  PLOTMATE_TRY(at, argPoint(args, 1, "InsertionPoint", "AddText"));
  PLOTMATE_TRY(height, argDouble(args, 2));
  if (*height <= 0) return std::unexpected(invalidArgument("Height", "AddText"));
  Entity e;
  e.kind = EntityKind::Text;
  e.points = {*at};
  e.height = *height;
  e.text = *text;
  return added(std::move(e));
}

Result<Variant> AcadModelSpace::addMText(std::span<Variant> args) {
  PLOTMATE_TRY(at, argPoint(args, 0, "InsertionPoint", "AddMText"));
  PLOTMATE_RETURN_IF_FAILED(argDouble(args, 1));
  PLOTMATE_TRY(text, argText(args, 2));
  Entity e;
  e.kind = EntityKind::MText;
  e.points = {*at};
  e.height = session().variables.real("TEXTSIZE");
  e.text = *text;
  return added(std::move(e));
}

// At least two vertices, two numbers each, in the polyline's own system
// (here the world one): the ActiveX reference's rule; shorter or odd lists
// are refused with nothing drawn.
Result<Variant> AcadModelSpace::addLightWeightPolyline(std::span<Variant> args) {
  PLOTMATE_TRY(points, argPointList(args, 0, 2, 2, "VerticesList", "AddLightWeightPolyline"));
  Entity e;
  e.kind = EntityKind::LwPolyline;
  e.points = std::move(*points);
  e.bulges.assign(e.points.size(), 0.0);
  return added(std::move(e));
}

// The old-style 2-D polyline: three numbers per vertex, the third ignored.
Result<Variant> AcadModelSpace::addPolyline(std::span<Variant> args) {
  PLOTMATE_TRY(points, argPointList(args, 0, 3, 2, "VerticesList", "AddPolyline"));
  Entity e;
  e.kind = EntityKind::Polyline2d;
  for (Vec3 p : *points) e.points.push_back({p.x, p.y, 0});
  e.bulges.assign(e.points.size(), 0.0);
  return added(std::move(e));
}

Result<Variant> AcadModelSpace::add3DPoly(std::span<Variant> args) {
  PLOTMATE_TRY(points, argPointList(args, 0, 3, 2, "PointsArray", "Add3DPoly"));
  Entity e;
  e.kind = EntityKind::Polyline3d;
  e.points = std::move(*points);
  e.bulges.assign(e.points.size(), 0.0);
  return added(std::move(e));
}

// AddRegion(curves): one region per closed curve, in the curve's own plane;
// the curves stay. Fails when no curve is closed.
Result<Variant> AcadModelSpace::addRegion(std::span<Variant> args) {
  if (args.empty()) return fail(hr::kBadParamCount, "Invalid number of parameters");
  std::vector<Variant> items;
  if (auto list = args[0].getIf<VariantList>()) items = *list;
  else items.push_back(args[0]);
  std::vector<Entity> regions;
  for (const Variant& item : items) {
    PLOTMATE_TRY(handle, entityHandleOf(*this, item, "ObjectList", "AddRegion"));
    const Entity* curve = session().drawing.find(*handle);
    if (!curve) return std::unexpected(objectErased());
    Frame own = ocsFrame(curve->kind == EntityKind::Polyline3d ? Vec3{0, 0, 1} : curve->normal);
    Ucs plane{{0, 0, 0}, own.x, own.y};
    if (auto loop = planLoop(plane, *curve)) regions.push_back(regionFromPlanLoop(plane, *loop));
  }
  if (regions.empty()) return std::unexpected(invalidArgument("ObjectList", "AddRegion"));
  VariantList out;
  session().undo.beginCommand();
  for (Entity& region : regions) out.push_back(added(std::move(region)));
  session().undo.endCommand();
  return Variant(std::move(out));
}

const MemberTable<AcadModelSpace>& AcadModelSpace::members() {
  using M = AcadModelSpace;
  using T = ArgType;
  static const MemberTable<M> table{
      {"Count", &M::count, nullptr, nullptr, property(T::Long)},
      {"Item", &M::item, nullptr, nullptr, method({in("Index", T::Variant)}, T::Object)},
      {"AddLine", nullptr, nullptr, &M::addLine,
       method({in("StartPoint", T::Variant), in("EndPoint", T::Variant)}, T::Object)},
      {"AddCircle", nullptr, nullptr, &M::addCircle,
       method({in("Center", T::Variant), in("Radius", T::Double)}, T::Object)},
      {"AddArc", nullptr, nullptr, &M::addArc,
       method({in("Center", T::Variant), in("Radius", T::Double), in("StartAngle", T::Double),
               in("EndAngle", T::Double)},
              T::Object)},
      {"AddPoint", nullptr, nullptr, &M::addPoint, method({in("Point", T::Variant)}, T::Object)},
      {"AddText", nullptr, nullptr, &M::addText,
       method({in("TextString", T::Text), in("InsertionPoint", T::Variant), in("Height", T::Double)},
              T::Object)},
      {"AddMText", nullptr, nullptr, &M::addMText,
       method({in("InsertionPoint", T::Variant), in("Width", T::Double), in("Text", T::Text)},
              T::Object)},
      {"AddLightWeightPolyline", nullptr, nullptr, &M::addLightWeightPolyline,
       method({in("VerticesList", T::Variant)}, T::Object)},
      {"AddPolyline", nullptr, nullptr, &M::addPolyline,
       method({in("VerticesList", T::Variant)}, T::Object)},
      {"Add3DPoly", nullptr, nullptr, &M::add3DPoly, method({in("PointsArray", T::Variant)}, T::Object)},
      {"AddRegion", nullptr, nullptr, &M::addRegion,
       method({in("ObjectList", T::Variant)}, T::Variant)},
  };
  return table;
}

}  // namespace plotmate::sim
