// Scenario tool "Repeater": the repeater window set up from "form", then its
// "Draw" button, on the worksheet stand-in and a drawing stand-in whose
// command line carries out the lines sent.

#include <string>

#include "repeater/batch_run.h"
#include "repeater/repeater_form.h"
#include "sim/drawing/acad_application.h"
#include "sim/drawing/drawing_session.h"
#include "tools/scenario/tools.h"
#include "tools/scenario/world.h"

namespace plotmate::scenario {

namespace {

const char* const kReportedVariables[] = {"CMDECHO", "FILEDIA", "EXPERT", "PDMODE", "PDSIZE"};

// "Check1": [1, 0, null, ...]: each box set as a click would set it (null
// leaves it); the click reactions run when a state changes.
template <class Setter>
void setBoxes(const Json& form, const char* key, Setter set) {
  if (!form.contains(key)) return;
  const Json& boxes = form[key];
  if (!boxes.is_array() || boxes.size() > kParameterCount)
    scenarioError(std::string("form: ") + key + " is a list of at most 10 box states");
  for (std::size_t i = 0; i < boxes.size(); ++i)
    if (!boxes[i].is_null()) set(i, boxes[i].get<int>() != 0);
}

// The window opened from the settings, then what the user did in it, in the
// order a user would: mark, command (a picked template), boxes, typed values.
RepeaterForm formFromJson(const Json& spec, const Settings& settings) {
  RepeaterForm form;
  form.Form_Load(settings);
  const Json& f = spec.value("form", Json::object());
  if (f.contains("Text2")) form.Text2 = f["Text2"].get<std::string>();
  if (f.contains("Combo1")) form.Combo1 = f["Combo1"].get<std::string>();
  if (f.contains("template")) {
    form.Combo1 = f["template"].get<std::string>();
    form.Combo1_Click();
  }
  setBoxes(f, "Check1", [&](std::size_t i, bool on) { form.setCheck1(i, on); });
  setBoxes(f, "Check2", [&](std::size_t i, bool on) { form.setCheck2(i, on); });
  if (f.contains("Text1")) {
    const Json& texts = f["Text1"];
    if (!texts.is_array() || texts.size() > kParameterCount)
      scenarioError("form: Text1 is a list of at most 10 texts");
    for (std::size_t i = 0; i < texts.size(); ++i)
      if (!texts[i].is_null()) form.Text1[i] = texts[i].get<std::string>();
  }
  if (f.contains("Check3")) form.Check3 = f["Check3"].get<int>() != 0;
  return form;
}

Json formJson(const RepeaterForm& form) {
  Json check1 = Json::array(), check2 = Json::array();
  for (std::size_t i = 0; i < kParameterCount; ++i) {
    check1.push_back(form.Check1(i) ? 1 : 0);
    check2.push_back(form.Check2(i) ? 1 : 0);
  }
  return {{"Combo1", form.Combo1},        {"Text2", form.Text2}, {"Label", form.Label},
          {"Text1", form.Text1},          {"Check1", check1},    {"Check2", check2},
          {"Check3", form.Check3 ? 1 : 0}};
}

// "drawing": {"blocks": [{"name": "TREE", "attributes": [{"tag": "KIND", "prompt": "Kind"}]}]}
void defineBlocks(const Json& spec, sim::Drawing& drawing) {
  const Json& d = spec.value("drawing", Json::object());
  for (const auto& b : d.value("blocks", Json::array())) {
    sim::BlockDefinition block;
    block.name = b.at("name").get<std::string>();
    for (const auto& a : b.value("attributes", Json::array()))
      block.attributes.push_back({a.at("tag").get<std::string>(),
                                  a.value("prompt", std::string()),
                                  a.value("default", std::string()),
                                  {},
                                  1});
    drawing.defineBlock(std::move(block));
  }
}

// The drawing host beside the world's worksheet: running unless
// "hosts": {"acad": false}; faults of "host": "acad" apply to it.
sim::AcadStandIn startDrawingHost(const Json& spec, World& world) {
  auto acad = sim::makeAcadStandIn();
  defineBlocks(spec, acad.session->drawing);
  for (const auto& fault : spec.value("faults", Json::array())) {
    if (fault.value("host", std::string()) != "acad") continue;
    acad.context->faults.add({fault.value("object", std::string()),
                              fault.at("member").get<std::string>(),
                              fault.value("nth", std::size_t{0}),
                              {fault.value("code", hr::kFail),
                               fault.value("description", std::string("Unspecified error"))}});
  }
  const bool running = spec.value("hosts", Json::object()).value("acad", true);
  if (running) world.broker.setRunning(kAcadProgId, acad.application);
  return acad;
}

Json point(const sim::Vec3& p) {
  return Json::array({p.x, p.y, p.z});
}

Json entityJson(const sim::Entity& e) {
  Json out = {{"type", sim::objectName(e.kind)}};
  switch (e.kind) {
    case sim::EntityKind::Text:
      out["at"] = point(e.points.at(0));
      out["height"] = e.height;
      out["text"] = e.text;
      break;
    case sim::EntityKind::Point:
      out["at"] = point(e.points.at(0));
      break;
    case sim::EntityKind::Circle:
      out["center"] = point(e.points.at(0));
      out["radius"] = e.radius;
      break;
    case sim::EntityKind::BlockRef: {
      out["name"] = e.blockName;
      out["at"] = point(e.points.at(0));
      out["scale"] = point(e.scale);
      out["rotation"] = e.rotation;
      Json attributes = Json::object();
      for (const auto& a : e.attributes) attributes[a.tag] = a.value;
      out["attributes"] = attributes;
      break;
    }
    default: {
      Json points = Json::array();
      for (const auto& p : e.points) points.push_back(point(p));
      out["points"] = points;
    }
  }
  return out;
}

// Each line with its carriage returns shown as "⏎".
Json sentJson(const std::vector<std::string>& sent) {
  Json out = Json::array();
  for (const auto& line : sent) {
    std::string shown;
    for (char c : line) shown += c == '\r' ? std::string("⏎") : std::string(1, c);
    out.push_back(shown);
  }
  return out;
}

void reportDrawing(Context& context, const sim::AcadStandIn& acad) {
  const sim::DrawingSession& session = *acad.session;
  context.result["sent"] = sentJson(session.commands.sent);
  Json variables = Json::object();
  for (const char* name : kReportedVariables) {
    auto value = session.variables.get(name);
    if (!value) continue;
    if (auto integer = value->getIf<std::int16_t>())
      variables[name] = *integer;
    else if (auto number = asDouble(*value))
      variables[name] = *number;
  }
  context.result["variables"] = variables;
  Json entities = Json::array();
  for (const sim::Entity* e : session.drawing.entities()) entities.push_back(entityJson(*e));
  context.result["entities"] = entities;
}

void runRepeater(Context& context) {
  auto world = buildWorld(context);
  auto acad = startDrawingHost(context.spec, *world);
  RepeaterForm form = formFromJson(context.spec, context.settings);
  Command1_Click(form, context.settings, world->session, world->broker, world->platform);
  context.result["form"] = formJson(form);
  reportDrawing(context, acad);
  reportWorld(context, *world);
}

}  // namespace

void registerRepeaterTools(ToolTable& tools) {
  tools["Repeater"] = runRepeater;
}

}  // namespace plotmate::scenario
