// Scenario tool "Drawing": drives the drawing stand-in directly, the way a
// tool would, step by step, and reports what each step answered.
//
// "steps": [{"send": "circle\r0,0\r5\r"}, {"getPoint": "Start point: "},
//           {"getEntity": "Pick point:"}, {"fence": [[0,0],[10,0]], "filter": "LINE"}]

#include "hosts/acad.h"
#include "tools/scenario/tools.h"
#include "tools/scenario/world.h"

namespace plotmate::scenario {

namespace {

Json errorJson(const Error& e) { return {{"error", e.description}}; }

Json pointJson(const Point3& p) { return Json::array({p[0], p[1], p[2]}); }

Json fence(const AcadDocument& doc, const Json& step) {
  std::vector<double> points;
  for (const auto& p : step["fence"]) {
    points.push_back(p.at(0).get<double>());
    points.push_back(p.at(1).get<double>());
    points.push_back(p.size() > 2 ? p[2].get<double>() : 0.0);
  }
  auto sets = doc.selectionSets();
  if (!sets) return errorJson(sets.error());
  auto set = sets->item("SCENARIO");
  if (!set) set = sets->add("SCENARIO");
  if (!set) return errorJson(set.error());
  (void)set->clear();
  auto selected = set->selectByPolygon(kSelectFence, points, 0, step.value("filter", "*"));
  if (!selected) return errorJson(selected.error());
  Json handles = Json::array();
  auto count = set->count();
  for (std::int32_t i = 0; count && i < *count; ++i)
    if (auto item = set->item(i))
      if (auto h = item->handle()) handles.push_back(*h);
  return {{"selected", handles}};
}

Json runStep(const AcadDocument& doc, const AcadUtility& util, const Json& step) {
  if (step.contains("send")) {
    auto sent = doc.sendCommand(step["send"].get<std::string>());
    return sent ? Json{{"sent", true}} : errorJson(sent.error());
  }
  if (step.contains("getPoint")) {
    auto p = util.getPoint(std::nullopt, step["getPoint"].get<std::string>());
    return p ? Json{{"point", pointJson(*p)}} : errorJson(p.error());
  }
  if (step.contains("getEntity")) {
    auto pick = util.getEntity(step["getEntity"].get<std::string>());
    if (!pick) return errorJson(pick.error());
    return {{"entity", pick->entity.handle().value_or("?")}, {"point", pointJson(pick->point)}};
  }
  if (step.contains("fence")) return fence(doc, step);
  scenarioError("steps: each step is send, getPoint, getEntity or fence");
}

void runDrawing(Context& context) {
  auto world = buildWorld(context);
  AttachAcad(world->session, world->broker, world->platform);
  if (world->session.AcadMissing == 0) {
    AcadDocument doc(world->session.AcadDoc);
    auto util = doc.utility();
    Json results = Json::array();
    for (const auto& step : context.spec.value("steps", Json::array()))
      results.push_back(util ? runStep(doc, *util, step) : errorJson(util.error()));
    context.result["steps"] = results;
  }
  reportWorld(context, *world);
}

}  // namespace

void registerDrawingTools(ToolTable& tools) { tools["Drawing"] = runDrawing; }

}  // namespace plotmate::scenario
