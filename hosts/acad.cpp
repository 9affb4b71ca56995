#include "hosts/acad.h"

#include "hosts/answers.h"

namespace plotmate {

namespace {

// The members below read their answers through the shared readers (hosts/answers.h).
template <class T>
Result<T> wrap(Result<DispatchPtr> object) { return answerObject<T>(std::move(object)); }
Result<void> done(const Result<Variant>& r) { return answerDone(r); }
Result<std::string> text(const Result<Variant>& r) { return answerText(r); }
Result<double> number(const Result<Variant>& r) { return answerNumber(r); }
Result<std::int32_t> integer(const Result<Variant>& r) { return answerWholeNumber(r); }
Result<std::vector<double>> numbers(const Result<Variant>& r) { return answerNumbers(r); }
Result<Point3> point(const Result<Variant>& r) { return answerPoint(r); }

// Filter code 0: the entity's type, as DXF names it.
constexpr std::int16_t kEntityTypeCode = 0;

// The object name of the entities a type filter keeps; only lines are asked for.
std::optional<std::string_view> entityObjectName(std::string_view dxfType) {
  if (lowerAscii(dxfType) == "line") return "AcDbLine";
  return std::nullopt;
}

}  // namespace

Variant fromPoint(const Point3& p) { return fromDoubles(p); }

// --- entity

Result<std::string> AcadEntity::objectName() const { return text(self().get("ObjectName")); }
Result<std::string> AcadEntity::handle() const { return text(self().get("Handle")); }
Result<std::vector<double>> AcadEntity::coordinates() const {
  return numbers(self().get("Coordinates"));
}
Result<std::vector<double>> AcadEntity::coordinate(std::int32_t index) const {
  return numbers(self().get("Coordinate", {index}));
}
Result<double> AcadEntity::elevation() const { return number(self().get("Elevation")); }
Result<Point3> AcadEntity::normal() const { return point(self().get("Normal")); }
Result<Point3> AcadEntity::startPoint() const { return point(self().get("StartPoint")); }
Result<Point3> AcadEntity::endPoint() const { return point(self().get("EndPoint")); }
Result<std::string> AcadEntity::textString() const { return text(self().get("TextString")); }
Result<void> AcadEntity::setTextString(const std::string& value) const {
  return self().put("TextString", value);
}
Result<void> AcadEntity::update() const { return done(self().call("Update")); }
Result<void> AcadEntity::highlight(bool on) const { return done(self().call("Highlight", {on})); }
Result<void> AcadEntity::erase() const { return done(self().call("Delete")); }
Result<double> AcadEntity::area() const { return number(self().get("Area")); }
Result<void> AcadEntity::boolean(std::int16_t operation, const AcadEntity& other) const {
  return done(self().call("Boolean", {operation, other.object()}));
}
Result<std::vector<double>> AcadEntity::intersectWith(const AcadEntity& other,
                                                       std::int16_t extend) const {
  PLOTMATE_TRY(r, self().call("IntersectWith", {other.object(), extend}));
  if (r->isEmpty()) return std::vector<double>{};
  return toDoubles(*r);
}

// --- utility

Result<Point3> AcadUtility::getPoint(const std::optional<Point3>& base,
                                     const std::string& prompt) const {
  Variant basePoint = base ? fromPoint(*base) : Variant(Missing{});
  return point(self().call("GetPoint", {basePoint, prompt}));
}

Result<AcadUtility::Pick> AcadUtility::getEntity(const std::string& prompt) const {
  std::vector<Variant> args{outputObject(), outputVariant(), prompt};
  PLOTMATE_RETURN_IF_FAILED(self().invoke("GetEntity", CallKind::Method, args));
  auto entity = asObject(args[0]);
  if (!entity) return fail(hr::kFail, "GetEntity returned no entity");
  Pick pick{AcadEntity(entity), {}};
  if (auto p = toPoint(args[1])) pick.point = *p;
  return pick;
}

Result<Point3> AcadUtility::translateCoordinates(const Point3& p, std::int16_t from,
                                                 std::int16_t to, bool displacement,
                                                 const std::optional<Point3>& normal) const {
  std::vector<Variant> args{fromPoint(p), from, to, std::int16_t(displacement ? 1 : 0)};
  if (normal) args.push_back(fromPoint(*normal));
  return point(self().call("TranslateCoordinates", std::move(args)));
}

// --- selection sets

Result<void> AcadSelectionSet::clear() const { return done(self().call("Clear")); }
Result<void> AcadSelectionSet::selectOnScreen() const {
  return done(self().call("SelectOnScreen"));
}
// Some drawing programs (GstarCAD) refuse every selection with filter codes.
// A fence for one entity type is then made without the filter and the set
// keeps only that type's entities, in the order the host gave them: the set
// the filter would have given.
Result<void> AcadSelectionSet::selectByPolygon(std::int16_t mode, const std::vector<double>& points,
                                               std::int16_t filterCode,
                                               const std::string& filterValue) const {
  auto filtered = done(self().call("SelectByPolygon", {mode, fromDoubles(points),
                                                       VariantList{filterCode}, VariantList{filterValue}}));
  if (filtered || filterCode != kEntityTypeCode) return filtered;
  const auto objectName = entityObjectName(filterValue);
  if (!objectName) return filtered;
  if (auto plain = done(self().call("SelectByPolygon", {mode, fromDoubles(points)})); !plain)
    return filtered;
  return keepOnly(*objectName);
}

Result<void> AcadSelectionSet::keepOnly(std::string_view objectName) const {
  PLOTMATE_TRY(total, count());
  std::vector<AcadEntity> others;
  for (std::int32_t i = 0; i < *total; ++i) {
    PLOTMATE_TRY(entity, item(i));
    PLOTMATE_TRY(name, entity->objectName());
    if (*name != objectName) others.push_back(*entity);
  }
  return others.empty() ? Result<void>{} : removeItems(others);
}
Result<void> AcadSelectionSet::removeItems(const std::vector<AcadEntity>& entities) const {
  VariantList list;
  for (const auto& e : entities) list.emplace_back(e.object());
  // One argument, the array: `{list}` alone would be read as the argument
  // list itself by compilers that take a lone same-type element as a copy.
  return done(self().call("RemoveItems", {Variant(std::move(list))}));
}
Result<std::int32_t> AcadSelectionSet::count() const { return integer(self().get("Count")); }
Result<AcadEntity> AcadSelectionSet::item(std::int32_t index) const {
  return wrap<AcadEntity>(callObject(self(), "Item", {index}));
}
Result<void> AcadSelectionSet::erase() const { return done(self().call("Delete")); }

Result<AcadSelectionSet> AcadSelectionSets::item(const std::string& name) const {
  return wrap<AcadSelectionSet>(callObject(self(), "Item", {name}));
}
Result<AcadSelectionSet> AcadSelectionSets::add(const std::string& name) const {
  return wrap<AcadSelectionSet>(callObject(self(), "Add", {name}));
}

// --- model space

Result<std::int32_t> AcadModelSpace::count() const { return integer(self().get("Count")); }
Result<AcadEntity> AcadModelSpace::item(std::int32_t index) const {
  return wrap<AcadEntity>(callObject(self(), "Item", {index}));
}
Result<AcadEntity> AcadModelSpace::add3DPoly(const std::vector<double>& points) const {
  return wrap<AcadEntity>(callObject(self(), "Add3DPoly", {fromDoubles(points)}));
}
Result<AcadEntity> AcadModelSpace::addLightWeightPolyline(const std::vector<double>& points) const {
  return wrap<AcadEntity>(callObject(self(), "AddLightWeightPolyline", {fromDoubles(points)}));
}

// --- document

Result<AcadUtility> AcadDocument::utility() const {
  return wrap<AcadUtility>(getObject(self(), "Utility"));
}
Result<AcadSelectionSets> AcadDocument::selectionSets() const {
  return wrap<AcadSelectionSets>(getObject(self(), "SelectionSets"));
}
Result<AcadModelSpace> AcadDocument::modelSpace() const {
  return wrap<AcadModelSpace>(getObject(self(), "ModelSpace"));
}
Result<void> AcadDocument::sendCommand(const std::string& value) const {
  return done(self().call("SendCommand", {value}));
}
Result<void> AcadDocument::setVariable(const std::string& name, const Variant& value) const {
  return done(self().call("SetVariable", {name, value}));
}
Result<Variant> AcadDocument::getVariable(const std::string& name) const {
  return self().call("GetVariable", {name});
}
Result<void> AcadDocument::startUndoMark() const { return done(self().call("StartUndoMark")); }
Result<void> AcadDocument::endUndoMark() const { return done(self().call("EndUndoMark")); }

// --- members a host lacks

bool LacksMember(const Error& error) { return error.code == hr::kUnknownName; }

std::string MissingMemberMessage(std::string_view member, const Error& error) {
  return "绘图程序不提供 " + std::string(member) + "，本工具无法在其中运行，未写入任何结果。\n\n" +
         error.description;
}

}  // namespace plotmate
