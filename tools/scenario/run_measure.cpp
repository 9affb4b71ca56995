// Scenario tools "IdentifyPoints", "MeasureDistance" and "MeasureArea": the
// buttons of the ID, DIST and AREA windows. The window loads from the
// settings, the boxes named in "toolForm" are clicked to their values (so
// they reach the settings as a drafter's clicks would), then the button is
// clicked "clicks" times (default 1), each run taking the next queued picks.
//
// "toolForm": {"chkboolX": 1, "chkboolText": 0}  (ID: chkboolX, chkboolY,
//   chkboolZ, chkboolText; DIST: chkboolDX, chkboolDY, chkboolDI; AREA: chkboolArea)
// "mainForm": {"chkboolchgtxt": 1, "txtPref": "L="}  (read by the distance tool)

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

template <class Form>
using BoxClicks = std::map<std::string, void (Form::*)(std::int16_t, Settings&)>;

// The boxes "toolForm" names, with their values, in the order given.
std::vector<std::pair<std::string, std::int16_t>> toolFormBoxes(const Context& context) {
  std::vector<std::pair<std::string, std::int16_t>> boxes;
  const Json form = context.spec.value("toolForm", Json::object());
  for (const auto& [name, value] : form.items()) {
    if (!value.is_number_integer()) scenarioError("toolForm: " + name + " must be 0 or 1");
    boxes.emplace_back(name, static_cast<std::int16_t>(value.get<int>()));
  }
  return boxes;
}

template <class Form>
void clickBoxes(const Context& context, const BoxClicks<Form>& boxes, Form& form,
                Settings& settings) {
  for (const auto& [name, value] : toolFormBoxes(context)) {
    auto it = boxes.find(name);
    if (it == boxes.end()) scenarioError("toolForm: unknown control \"" + name + "\"");
    (form.*(it->second))(value, settings);
  }
}

int clicks(const Context& context) {
  const int n = context.spec.value("clicks", 1);
  if (n < 1) scenarioError("clicks: at least 1");
  return n;
}

void runIdentifyPoints(Context& context) {
  auto world = buildWorld(context);
  ToolDesk desk{world->broker, world->session, world->platform};
  Idfrm form;
  form.Form_Load(context.settings);
  clickBoxes<Idfrm>(context,
                    {{"chkboolX", &Idfrm::chkboolX_Click},
                     {"chkboolY", &Idfrm::chkboolY_Click},
                     {"chkboolZ", &Idfrm::chkboolZ_Click},
                     {"chkboolText", &Idfrm::chkboolText_Click}},
                    form, context.settings);
  for (int i = clicks(context); i > 0; --i) form.Command2_Click(desk, context.settings);
  reportWorld(context, *world);
}

void runMeasureDistance(Context& context) {
  auto world = buildWorld(context);
  ToolDesk desk{world->broker, world->session, world->platform};
  const MainForm mainForm = mainFormFromJson(context.spec);
  AcadSelectionSet textSet;  // the kept "ss", alive across clicks as in the program
  Distfrm form;
  form.Form_Load(context.settings);
  clickBoxes<Distfrm>(context,
                      {{"chkboolDX", &Distfrm::chkboolDX_Click},
                       {"chkboolDY", &Distfrm::chkboolDY_Click},
                       {"chkboolDI", &Distfrm::chkboolDI_Click}},
                      form, context.settings);
  for (int i = clicks(context); i > 0; --i)
    form.Command1_Click(desk, context.settings, mainForm, textSet);
  reportWorld(context, *world);
}

void runMeasureArea(Context& context) {
  auto world = buildWorld(context);
  ToolDesk desk{world->broker, world->session, world->platform};
  Areafrm form;
  form.Form_Load(context.settings);
  clickBoxes<Areafrm>(context, {{"chkboolArea", &Areafrm::chkboolArea_Click}}, form,
                      context.settings);
  for (int i = clicks(context); i > 0; --i) form.Command6_Click(desk, context.settings);
  reportWorld(context, *world);
}

}  // namespace

void registerMeasureTools(ToolTable& tools) {
  tools["IdentifyPoints"] = runIdentifyPoints;
  tools["MeasureDistance"] = runMeasureDistance;
  tools["MeasureArea"] = runMeasureArea;
}

}  // namespace plotmate::scenario
