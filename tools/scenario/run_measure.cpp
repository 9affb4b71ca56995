// Scenario tools "IdentifyPoints", "MeasureDistance" and "MeasureArea": the
// buttons of the ID, DIST and AREA windows. The window loads from the
// settings, the boxes named in "toolForm" are clicked to their values (so
// they reach the settings as a drafter's clicks would), then the button is
// clicked "clicks" times (default 1), each run taking the next queued picks.
//
// "toolForm": {"chkboolX": 1, "chkboolText": 0}  (ID: chkboolX, chkboolY,
//   chkboolZ, chkboolText; DIST: chkboolDX, chkboolDY, chkboolDI; AREA: chkboolArea)
// "mainForm": {"chkboolchgtxt": 1, "txtPref": "L="}  (read by the distance tool)

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "measure/area_form.h"
#include "measure/dist_form.h"
#include "measure/id_form.h"
#include "tools/scenario/main_form_io.h"
#include "tools/scenario/tools.h"
#include "tools/scenario/world.h"

namespace plotmate::scenario {

namespace {

// A box's click handler, bound to its form and the settings.
using BoxClicks = std::map<std::string, std::function<void(std::int16_t)>>;

template <class Form>
auto click(Form& form, void (Form::*handler)(std::int16_t, Settings&), Settings& settings) {
  return [&form, handler, &settings](std::int16_t value) { (form.*handler)(value, settings); };
}

// The boxes "toolForm" names, with their values, in the order given.
std::vector<std::pair<std::string, std::int16_t>> toolFormBoxes(const Context& context) {
  std::vector<std::pair<std::string, std::int16_t>> boxes;
  const Json form = context.spec.value("toolForm", Json::object());
  for (const auto& [name, value] : form.items()) {
    if (!value.is_number_integer()) scenarioError("toolForm: " + name + " must be 0 or 1");
    boxes.emplace_back(name, boxState(value, "toolForm: " + name));
  }
  return boxes;
}

void clickBoxes(const Context& context, const BoxClicks& boxes) {
  for (const auto& [name, value] : toolFormBoxes(context)) {
    auto it = boxes.find(name);
    if (it == boxes.end()) scenarioError("toolForm: unknown control \"" + name + "\"");
    it->second(value);
  }
}

void runIdentifyPoints(Context& context) {
  auto world = buildWorld(context);
  ToolDesk desk{world->broker, world->session, world->platform};
  Idfrm form;
  form.Form_Load(context.settings);
  Settings& s = context.settings;
  clickBoxes(context, {{"chkboolX", click(form, &Idfrm::chkboolX_Click, s)},
                       {"chkboolY", click(form, &Idfrm::chkboolY_Click, s)},
                       {"chkboolZ", click(form, &Idfrm::chkboolZ_Click, s)},
                       {"chkboolText", click(form, &Idfrm::chkboolText_Click, s)}});
  for (int i = clicksOf(context); i > 0; --i) world->run([&] { form.Command2_Click(desk, context.settings); });
  reportWorld(context, *world);
}

void runMeasureDistance(Context& context) {
  auto world = buildWorld(context);
  ToolDesk desk{world->broker, world->session, world->platform};
  const MainForm mainForm = mainFormFromJson(context.spec);
  AcadSelectionSet textSet;  // the kept "ss", alive across clicks as in the program
  Distfrm form;
  form.Form_Load(context.settings);
  Settings& s = context.settings;
  clickBoxes(context, {{"chkboolDX", click(form, &Distfrm::chkboolDX_Click, s)},
                       {"chkboolDY", click(form, &Distfrm::chkboolDY_Click, s)},
                       {"chkboolDI", click(form, &Distfrm::chkboolDI_Click, s)}});
  for (int i = clicksOf(context); i > 0; --i)
    world->run([&] { form.Command1_Click(desk, context.settings, mainForm, textSet); });
  reportWorld(context, *world);
}

void runMeasureArea(Context& context) {
  auto world = buildWorld(context);
  ToolDesk desk{world->broker, world->session, world->platform};
  Areafrm form;
  form.Form_Load(context.settings);
  clickBoxes(context,
             {{"chkboolArea", click(form, &Areafrm::chkboolArea_Click, context.settings)}});
  for (int i = clicksOf(context); i > 0; --i) world->run([&] { form.Command6_Click(desk, context.settings); });
  reportWorld(context, *world);
}

}  // namespace

void registerMeasureTools(ToolTable& tools) {
  tools["IdentifyPoints"] = runIdentifyPoints;
  tools["MeasureDistance"] = runMeasureDistance;
  tools["MeasureArea"] = runMeasureArea;
}

}  // namespace plotmate::scenario
