#include "sim/drawing/acad_entity.h"

#include <numbers>

#include "sim/args.h"
#include "sim/drawing/acad_errors.h"
#include "sim/drawing/coords.h"
#include "sim/drawing/geometry.h"
#include "sim/drawing/regions.h"

namespace plotmate::sim {

namespace {

using K = EntityKind;

bool isPolyline(K k) { return k == K::LwPolyline || k == K::Polyline2d || k == K::Polyline3d; }

}  // namespace

AcadEntity::AcadEntity(std::shared_ptr<HostContext> context,
                       std::shared_ptr<DrawingSession> session, const Entity& entity)
    : AcadObject(std::move(context), std::string(plotmate::sim::objectName(entity.kind)),
                 std::move(session)),
      handle_(entity.handle) {}

Result<Variant> AcadEntity::invokeMember(std::string_view name, CallKind kind,
                                         std::span<Variant> args) {
  return members().invoke(*this, name, kind, args);
}

Result<Entity*> AcadEntity::entity() const {
  Entity* e = session().drawing.find(handle_);
  if (!e) return std::unexpected(objectErased());
  return e;
}

Result<Variant> AcadEntity::objectName(std::span<Variant>) {
  PLOTMATE_TRY(e, entity());
  return Variant(std::string(plotmate::sim::objectName((*e)->kind)));
}

Result<Variant> AcadEntity::getHandle(std::span<Variant>) {
  PLOTMATE_TRY(e, entity());
  return Variant((*e)->handle);
}

Result<Variant> AcadEntity::getLayer(std::span<Variant>) {
  PLOTMATE_TRY(e, entity());
  return Variant((*e)->layer);
}

Result<Variant> AcadEntity::putLayer(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(entity());
  PLOTMATE_TRY(layer, argText(args, args.size() - 1));
  session().editEntity(handle_)->layer = *layer;
  return Variant();
}

// Lightweight polylines give 2-D points of their own system; old-style 2-D
// polylines 3-D points whose X and Y are in their own system (Z: the
// elevation); 3-D polylines and points world points (ActiveX Coordinates).
Result<Variant> AcadEntity::coordinates(std::span<Variant>) {
  PLOTMATE_TRY(r, entity());
  const Entity& e = **r;
  switch (e.kind) {
    case K::LwPolyline: return pointsVariant(e.points, 2);
    case K::Polyline2d: {
      std::vector<Vec3> points = e.points;
      for (Vec3& p : points) p.z = e.elevation;
      return pointsVariant(points, 3);
    }
    case K::Polyline3d:
    case K::Point: return pointsVariant(e.points, 3);
    default: return noSuchMember("Coordinates");
  }
}

Result<Variant> AcadEntity::coordinate(std::span<Variant> args) {
  PLOTMATE_TRY(r, entity());
  const Entity& e = **r;
  if (!isPolyline(e.kind)) return noSuchMember("Coordinate");
  PLOTMATE_TRY(index, argInt(args, 0));
  if (*index < 0 || static_cast<std::size_t>(*index) >= e.points.size())
    return std::unexpected(invalidArgument("Index", "Coordinate"));
  Vec3 p = e.points[static_cast<std::size_t>(*index)];
  if (e.kind == K::LwPolyline) return VariantList{Variant(p.x), Variant(p.y)};
  if (e.kind == K::Polyline2d) p.z = e.elevation;
  return pointVariant(p);
}

Result<Variant> AcadEntity::elevation(std::span<Variant>) {
  PLOTMATE_TRY(r, entity());
  if ((*r)->kind != K::LwPolyline && (*r)->kind != K::Polyline2d) return noSuchMember("Elevation");
  return Variant((*r)->elevation);
}

Result<Variant> AcadEntity::normal(std::span<Variant>) {
  PLOTMATE_TRY(r, entity());
  if ((*r)->kind == K::Polyline3d) return noSuchMember("Normal");
  return pointVariant((*r)->normal);
}

Result<Variant> AcadEntity::closed(std::span<Variant>) {
  PLOTMATE_TRY(r, entity());
  if (!isPolyline((*r)->kind)) return noSuchMember("Closed");
  return Variant((*r)->closed);
}

Result<Variant> AcadEntity::startPoint(std::span<Variant>) {
  PLOTMATE_TRY(r, entity());
  const Entity& e = **r;
  if (e.kind == K::Line && !e.points.empty()) return pointVariant(e.points.front());
  if (e.kind == K::Arc) {
    auto pieces = shapeOf(e);
    if (!pieces.empty()) return pointVariant(pieces.front().start);
  }
  return noSuchMember("StartPoint");
}

Result<Variant> AcadEntity::endPoint(std::span<Variant>) {
  PLOTMATE_TRY(r, entity());
  const Entity& e = **r;
  if (e.kind == K::Line && e.points.size() >= 2) return pointVariant(e.points[1]);
  if (e.kind == K::Arc) {
    auto pieces = shapeOf(e);
    if (!pieces.empty()) return pointVariant(pieces.back().end);
  }
  return noSuchMember("EndPoint");
}

Result<Variant> AcadEntity::center(std::span<Variant>) {
  PLOTMATE_TRY(r, entity());
  const Entity& e = **r;
  if ((e.kind != K::Circle && e.kind != K::Arc) || e.points.empty()) return noSuchMember("Center");
  return pointVariant(ocsToWorld(e.normal, e.points.front(), false));
}

Result<Variant> AcadEntity::radius(std::span<Variant>) {
  PLOTMATE_TRY(r, entity());
  if ((*r)->kind != K::Circle && (*r)->kind != K::Arc) return noSuchMember("Radius");
  return Variant((*r)->radius);
}

Result<Variant> AcadEntity::insertionPoint(std::span<Variant>) {
  PLOTMATE_TRY(r, entity());
  const Entity& e = **r;
  if (e.points.empty()) return noSuchMember("InsertionPoint");
  if (e.kind == K::Text) return pointVariant(ocsToWorld(e.normal, e.points.front(), false));
  if (e.kind == K::MText || e.kind == K::BlockRef) return pointVariant(e.points.front());
  return noSuchMember("InsertionPoint");
}

Result<Variant> AcadEntity::getTextString(std::span<Variant>) {
  PLOTMATE_TRY(r, entity());
  if ((*r)->kind != K::Text && (*r)->kind != K::MText) return noSuchMember("TextString");
  return Variant((*r)->text);
}

Result<Variant> AcadEntity::putTextString(std::span<Variant> args) {
  PLOTMATE_TRY(r, entity());
  if ((*r)->kind != K::Text && (*r)->kind != K::MText) return noSuchMember("TextString");
  if (args.empty()) return fail(hr::kBadParamCount, "Invalid number of parameters");
  PLOTMATE_TRY(text, argText(args, args.size() - 1));
  session().editEntity(handle_)->text = *text;
  return Variant();
}

Result<Variant> AcadEntity::update(std::span<Variant>) {
  PLOTMATE_RETURN_IF_FAILED(entity());
  return Variant();
}

Result<Variant> AcadEntity::highlight(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(entity());
  PLOTMATE_TRY(on, argBool(args, 0));
  if (*on) session().highlighted.insert(handle_);
  else session().highlighted.erase(handle_);
  return Variant();
}

Result<Variant> AcadEntity::erase(std::span<Variant>) {
  PLOTMATE_RETURN_IF_FAILED(entity());
  session().highlighted.erase(handle_);
  session().eraseEntity(handle_);
  return Variant();
}

Result<Variant> AcadEntity::area(std::span<Variant>) {
  PLOTMATE_TRY(r, entity());
  const Entity& e = **r;
  switch (e.kind) {
    case K::Region: return Variant(regionArea(e));
    case K::Circle: return Variant(std::numbers::pi * e.radius * e.radius);
    case K::LwPolyline:
    case K::Polyline2d: {
      // Measured as if closed, in the polyline's own plane, as the host does.
      Loop loop{e.points, e.bulges};
      loop.bulges.resize(loop.points.size(), 0.0);
      return Variant(loopArea(loop));
    }
    default: return noSuchMember("Area");
  }
}

// Boolean(operation, other). The stand-in models subtraction
// (acSubtraction = 2) of a region inside this one or apart from it. As in
// AutoCAD, the other region is consumed: it is removed from the drawing.
Result<Variant> AcadEntity::boolean(std::span<Variant> args) {
  PLOTMATE_TRY(r, entity());
  if ((*r)->kind != K::Region) return noSuchMember("Boolean");
  PLOTMATE_TRY(operation, argInt(args, 0));
  if (args.size() < 2) return fail(hr::kBadParamCount, "Invalid number of parameters");
  PLOTMATE_TRY(otherHandle, entityHandleOf(*this, args[1], "Object", "Boolean"));
  const Entity* other = session().drawing.find(*otherHandle);
  if (!other) return std::unexpected(objectErased());
  if (other->kind != K::Region || *otherHandle == handle_)
    return std::unexpected(invalidArgument("Object", "Boolean"));
  if (*operation != 2) return std::unexpected(notModelled("Boolean union and intersection"));

  Entity result = **r;
  PLOTMATE_RETURN_IF_FAILED(subtractRegion(result, *other));
  // One undo step: the changed region and the consumed one.
  session().undo.beginCommand();
  *session().editEntity(handle_) = std::move(result);
  session().highlighted.erase(*otherHandle);
  session().eraseEntity(*otherHandle);
  session().undo.endCommand();
  return Variant();
}

// IntersectWith(other, extendOption): the points where the two meet, flat,
// three numbers each, ordered along the other entity. When they do not meet
// AutoCAD returns an array of no elements; a session switch makes it answer
// Empty instead. Extension modes other than acExtendNone (0) are not modelled.
Result<Variant> AcadEntity::intersectWith(std::span<Variant> args) {
  PLOTMATE_TRY(r, entity());
  if (args.size() < 2) return fail(hr::kBadParamCount, "Invalid number of parameters");
  PLOTMATE_TRY(otherHandle, entityHandleOf(*this, args[0], "IntersectObject", "IntersectWith"));
  const Entity* other = session().drawing.find(*otherHandle);
  if (!other) return std::unexpected(objectErased());
  PLOTMATE_TRY(extend, argInt(args, 1));
  if (*extend < 0 || *extend > 3) return std::unexpected(invalidArgument("ExtendOption", "IntersectWith"));
  if (*extend != 0) return std::unexpected(notModelled("IntersectWith with extension"));
  auto points = plotmate::sim::intersectWith(**r, *other);
  if (points.empty() && session().noIntersection == NoIntersectionAnswer::Empty) return Variant();
  return pointsVariant(points, 3);
}

const MemberTable<AcadEntity>& AcadEntity::members() {
  using E = AcadEntity;
  using T = ArgType;
  // One class answers for every entity kind, so its table holds the members
  // the automation reference documents across them, with their types. The
  // reference calls Coordinate's index an Integer; it is declared a Long, as
  // the host's type library has it, since vertex lists pass 32,767.
  static const MemberTable<E> table{
      {"ObjectName", &E::objectName, nullptr, nullptr, property(T::Text)},
      {"Handle", &E::getHandle, nullptr, nullptr, property(T::Text)},
      {"Layer", &E::getLayer, &E::putLayer, nullptr, property(T::Text)},
      {"Coordinates", &E::coordinates, nullptr, nullptr, property(T::Variant)},
      {"Coordinate", &E::coordinate, nullptr, nullptr,
       property(T::Variant, {in("Index", T::Long)})},
      {"Elevation", &E::elevation, nullptr, nullptr, property(T::Double)},
      {"Normal", &E::normal, nullptr, nullptr, property(T::Variant)},
      {"Closed", &E::closed, nullptr, nullptr, property(T::Boolean)},
      {"StartPoint", &E::startPoint, nullptr, nullptr, property(T::Variant)},
      {"EndPoint", &E::endPoint, nullptr, nullptr, property(T::Variant)},
      {"Center", &E::center, nullptr, nullptr, property(T::Variant)},
      {"Radius", &E::radius, nullptr, nullptr, property(T::Double)},
      {"InsertionPoint", &E::insertionPoint, nullptr, nullptr, property(T::Variant)},
      {"TextString", &E::getTextString, &E::putTextString, nullptr, property(T::Text)},
      {"Update", nullptr, nullptr, &E::update, method()},
      {"Highlight", nullptr, nullptr, &E::highlight, method({in("HighlightFlag", T::Boolean)})},
      {"Delete", nullptr, nullptr, &E::erase, method()},
      {"Area", &E::area, nullptr, nullptr, property(T::Double)},
      {"Boolean", nullptr, nullptr, &E::boolean,
       method({inEnum("Operation", "AcBooleanType"), in("Object", T::Object)})},
      {"IntersectWith", nullptr, nullptr, &E::intersectWith,
       method({in("IntersectObject", T::Object), inEnum("ExtendOption", "AcExtendOption")},
              T::Variant)},
  };
  return table;
}

DispatchPtr entityObject(const AcadObject& owner, std::string_view handle) {
  const Entity* e = owner.session().drawing.find(handle);
  if (!e) return nullptr;
  return std::make_shared<AcadEntity>(owner.sharedContext(), owner.sharedSession(), *e);
}

Result<std::string> entityHandleOf(const AcadObject& owner, const Variant& value,
                                   std::string_view argument, std::string_view method) {
  auto* object = dynamic_cast<AcadEntity*>(asObject(value).get());
  if (!object || &object->session() != &owner.session())
    return std::unexpected(invalidArgument(argument, method));
  return object->handle();
}

}  // namespace plotmate::sim
