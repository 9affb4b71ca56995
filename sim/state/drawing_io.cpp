#include "sim/state/drawing_io.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "sim/drawing/dxf_reader.h"

namespace plotmate::scenario {

namespace {

using sim::EntityKind;
using sim::Vec3;

Vec3 vec(const Json& value) {
  if (!value.is_array() || value.size() < 2 || value.size() > 3)
    scenarioError("drawing: a point is [x, y] or [x, y, z]");
  return {value[0].get<double>(), value[1].get<double>(),
          value.size() == 3 ? value[2].get<double>() : 0.0};
}

Json vecJson(const Vec3& v) { return Json::array({v.x, v.y, v.z}); }

double degrees(double radians) { return radians * 180.0 / std::numbers::pi; }
double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

struct KindName {
  const char* name;
  EntityKind kind;
};
constexpr KindName kKindNames[] = {
    {"line", EntityKind::Line},         {"lwpolyline", EntityKind::LwPolyline},
    {"polyline2d", EntityKind::Polyline2d}, {"polyline3d", EntityKind::Polyline3d},
    {"circle", EntityKind::Circle},     {"arc", EntityKind::Arc},
    {"text", EntityKind::Text},         {"mtext", EntityKind::MText},
    {"point", EntityKind::Point},       {"insert", EntityKind::BlockRef},
};

EntityKind kindNamed(const std::string& name) {
  for (const auto& k : kKindNames)
    if (name == k.name) return k.kind;
  scenarioError("drawing: unknown entity type \"" + name + "\"");
}

void readPoints(const Json& e, sim::Entity& entity) {
  for (const auto& p : e.at("points")) entity.points.push_back(vec(p));
  entity.bulges.assign(entity.points.size(), 0.0);
  if (e.contains("bulges")) {
    const auto& bulges = e["bulges"];
    for (std::size_t i = 0; i < bulges.size() && i < entity.bulges.size(); ++i)
      entity.bulges[i] = bulges[i].get<double>();
  }
  entity.closed = e.value("closed", false);
  entity.elevation = e.value("elevation", 0.0);
}

// An entity as a drafter would describe it; angles in degrees.
sim::Entity entityFromJson(const Json& e) {
  sim::Entity entity;
  entity.kind = kindNamed(e.at("type").get<std::string>());
  entity.handle = e.value("handle", std::string());
  entity.layer = e.value("layer", std::string("0"));
  if (e.contains("normal")) entity.normal = vec(e["normal"]);
  switch (entity.kind) {
    case EntityKind::Line:
      entity.points = {vec(e.at("start")), vec(e.at("end"))};
      break;
    case EntityKind::LwPolyline:
    case EntityKind::Polyline2d:
    case EntityKind::Polyline3d:
      readPoints(e, entity);
      break;
    case EntityKind::Arc:
      entity.startAngle = radians(e.at("startAngle").get<double>());
      entity.endAngle = radians(e.at("endAngle").get<double>());
      [[fallthrough]];
    case EntityKind::Circle:
      entity.points = {vec(e.at("center"))};
      entity.radius = e.at("radius").get<double>();
      break;
    case EntityKind::Text:
    case EntityKind::MText:
      entity.points = {vec(e.at("position"))};
      entity.text = e.value("text", std::string());
      entity.height = e.value("height", 2.5);
      entity.rotation = radians(e.value("rotation", 0.0));
      break;
    case EntityKind::Point:
      entity.points = {vec(e.at("position"))};
      break;
    case EntityKind::BlockRef:
      entity.points = {vec(e.at("position"))};
      entity.blockName = e.at("block").get<std::string>();
      if (e.contains("attributes"))
        for (const auto& [tag, value] : e["attributes"].items())
          entity.attributes.push_back({tag, value.get<std::string>()});
      break;
    case EntityKind::Region:
      break;
  }
  return entity;
}

sim::PickAnswer pickFromJson(const Json& p) {
  if (p.contains("point")) return sim::PickAnswer::at(vec(p["point"]));
  if (p.contains("entity")) return sim::PickAnswer::entity(p["entity"].get<std::string>());
  if (p.contains("selection"))
    return sim::PickAnswer::selection(p["selection"].get<std::vector<std::string>>());
  if (p.value("enter", false)) return sim::PickAnswer::enter();
  if (p.value("cancel", false)) return sim::PickAnswer::cancel();
  scenarioError("picks: each pick is a point, an entity, a selection, a cancel or an enter");
}

void loadUcs(const Json& u, sim::Ucs& ucs) {
  if (u.contains("origin")) ucs.origin = vec(u["origin"]);
  if (u.contains("xAxis")) ucs.xAxis = vec(u["xAxis"]);
  if (u.contains("yAxis")) ucs.yAxis = vec(u["yAxis"]);
}

Json pointsJson(const std::vector<Vec3>& points) {
  Json out = Json::array();
  for (const auto& p : points) out.push_back(vecJson(p));
  return out;
}

void polylineJson(const sim::Entity& entity, Json& out) {
  out["points"] = pointsJson(entity.points);
  bool anyBulge = false;
  for (double b : entity.bulges) anyBulge = anyBulge || b != 0;
  if (anyBulge) out["bulges"] = entity.bulges;
  if (entity.closed) out["closed"] = true;
  if (entity.elevation != 0) out["elevation"] = entity.elevation;
}

Json loopsJson(const std::vector<sim::Loop>& loops) {
  Json out = Json::array();
  for (const auto& loop : loops) {
    Json l = {{"points", pointsJson(loop.points)}};
    bool anyBulge = false;
    for (double b : loop.bulges) anyBulge = anyBulge || b != 0;
    if (anyBulge) l["bulges"] = loop.bulges;
    out.push_back(l);
  }
  return out;
}

Json variantJson(const Variant& v) {
  if (auto s = v.getIf<std::string>()) return *s;
  if (auto i = v.getIf<std::int16_t>()) return *i;
  if (auto i = v.getIf<std::int32_t>()) return *i;
  if (auto d = asDouble(v)) return *d;
  return describe(v);
}

// "variables": {"NOMUTT": 1, "PDSIZE": 0.5, ...}: values the drawing holds
// before the run, typed as the host types them (whole numbers for integer
// variables).
void loadVariables(const Json& variables, sim::SystemVariables& into) {
  for (const auto& [name, value] : variables.items()) {
    Variant v;
    if (value.is_number_integer())
      v = Variant(static_cast<std::int16_t>(wholeNumber(value, "drawing: variable " + name, INT16_MIN, INT16_MAX)));
    else if (value.is_number()) v = Variant(value.get<double>());
    else if (value.is_string()) v = Variant(value.get<std::string>());
    else scenarioError("drawing: variable " + name + " must be a number or a text");
    if (auto set = into.set(name, v); !set)
      scenarioError("drawing: variable " + name + ": " + set.error().description);
  }
}

// The system variables the tools set and rely on.
constexpr const char* kReportedVariables[] = {"CMDECHO", "FILEDIA", "EXPERT", "PDMODE",
                                              "PDSIZE",  "NOMUTT",  "ATTREQ", "HPBOUND"};

}  // namespace

std::vector<std::string> loadDrawing(const Json& spec, const std::filesystem::path& sourceDir,
                                     sim::DrawingSession& session) {
  std::vector<std::string> notes;
  const Json d = spec.value("drawing", Json::object());
  if (d.contains("dxf")) {
    auto loaded = sim::loadDxf(sourceDir / d["dxf"].get<std::string>());
    if (!loaded) scenarioError("drawing: " + loaded.error().description);
    session.drawing = std::move(loaded->drawing);
    notes = std::move(loaded->notes);
  }
  if (d.contains("ucs")) loadUcs(d["ucs"], session.drawing.ucs);
  if (d.contains("entities"))
    for (const auto& e : d["entities"]) session.drawing.add(entityFromJson(e));
  if (d.contains("variables")) loadVariables(d["variables"], session.variables);
  session.boundaryIslandsFirst = d.value("boundaryIslandsFirst", false);
  if (d.value("noIntersection", std::string()) == "empty")
    session.noIntersection = sim::NoIntersectionAnswer::Empty;
  if (spec.contains("picks")) queuePicks(spec["picks"], session);
  return notes;
}

void queuePicks(const Json& picks, sim::DrawingSession& session) {
  if (!picks.is_array()) scenarioError("picks: a list of picks");
  for (const auto& p : picks) session.picks.push(pickFromJson(p));
}

Json entityJson(const sim::Entity& entity) {
  Json out = {{"handle", entity.handle}, {"type", std::string(sim::objectName(entity.kind))}};
  if (entity.layer != "0") out["layer"] = entity.layer;
  if (!(entity.normal == Vec3{0, 0, 1})) out["normal"] = vecJson(entity.normal);
  switch (entity.kind) {
    case EntityKind::Line:
      out["start"] = vecJson(entity.points.at(0));
      out["end"] = vecJson(entity.points.at(1));
      break;
    case EntityKind::LwPolyline:
    case EntityKind::Polyline2d:
    case EntityKind::Polyline3d:
      polylineJson(entity, out);
      break;
    case EntityKind::Arc:
      out["startAngle"] = degrees(entity.startAngle);
      out["endAngle"] = degrees(entity.endAngle);
      [[fallthrough]];
    case EntityKind::Circle:
      out["center"] = vecJson(entity.points.at(0));
      out["radius"] = entity.radius;
      break;
    case EntityKind::Text:
    case EntityKind::MText:
      out["position"] = vecJson(entity.points.at(0));
      out["height"] = entity.height;
      if (entity.rotation != 0) out["rotation"] = degrees(entity.rotation);
      out["text"] = entity.text;
      break;
    case EntityKind::Point:
      out["position"] = vecJson(entity.points.at(0));
      break;
    case EntityKind::BlockRef: {
      out["block"] = entity.blockName;
      out["position"] = vecJson(entity.points.at(0));
      Json attributes = Json::object();
      for (const auto& a : entity.attributes) attributes[a.tag] = a.value;
      if (!attributes.empty()) out["attributes"] = attributes;
      break;
    }
    case EntityKind::Region:
      out["loops"] = loopsJson(entity.loops);
      break;
  }
  return out;
}

Json drawingJson(const sim::DrawingSession& session, bool withEntities) {
  Json entities = Json::array();
  if (withEntities)
    for (const auto* e : session.drawing.entities()) entities.push_back(entityJson(*e));
  Json sets = Json::object();
  for (const auto* set : session.selectionSets.all()) sets[set->name] = set->live(session.drawing);
  Json variables = Json::object();
  for (const char* name : kReportedVariables)
    if (auto v = session.variables.get(name)) variables[name] = variantJson(*v);
  Json prompts = Json::array();
  for (const auto& p : session.picks.log())
    prompts.push_back(p.method + " \"" + p.prompt + "\": " + p.outcome);
  Json out = Json::object();
  if (withEntities) out["entities"] = entities;
  out["selectionSets"] = sets;
  out["variables"] = variables;
  if (!prompts.empty()) out["prompts"] = prompts;
  if (!session.commands.sent.empty()) out["commandsSent"] = session.commands.sent;
  if (!session.commands.transcript.empty()) out["commandLine"] = session.commands.transcript;
  return out;
}

}  // namespace plotmate::scenario
